#pragma once

#include <string_view>

namespace zarvelin::copy {

// The module name the copy's failures are reported under: its procedures are the copy dialog's
// own, wherever they run.
inline constexpr std::string_view kModule = "frmCopyProject";

// The line break of the copy's message boxes.
inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace zarvelin::copy
