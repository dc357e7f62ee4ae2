#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zarvelin::win32 {

// The portable code speaks UTF-8; Windows' W functions and COM speak UTF-16. Converting at the
// boundary keeps every project name intact whatever the system's ANSI code page is.
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);
std::string Narrow(BSTR text);

}  // namespace zarvelin::win32
