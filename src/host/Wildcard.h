#pragma once

#include <string_view>

namespace zarvelin::host {

// Whether a file name fits a Dir pattern: "*" any run of characters, "?" any one character,
// letter case ignored, and a pattern ending in ".*" also fits names without that extension
// ("*.*" fits every name, as on Windows).
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace zarvelin::host
