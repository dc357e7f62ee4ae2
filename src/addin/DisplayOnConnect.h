#pragma once

#include <string_view>

// The one setting the add-in keeps per user: whether the copy dialog was open when the add-in was
// last disconnected ("1") or not ("0"; also when it was never written). It is filed under the
// program's title as the application name.
namespace zarvelin::addin {

inline constexpr std::string_view kSettingsSection = "Microsoft Visual Basic AddIns";
inline constexpr std::string_view kDisplayOnConnect = "DisplayOnConnect frmCopyProject";

}  // namespace zarvelin::addin
