#pragma once

#include <string>
#include <string_view>

namespace zarvelin {

// VB string helpers on the system's text, UTF-8 inside (files convert at their edge, see
// CodePage.h); letter case is ASCII's alone.

// Trim: removes leading and trailing blanks (spaces only, as VB's Trim does).
std::string_view Trim(std::string_view text);
// LCase/UCase on ASCII letters; other bytes stay as they are.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
// Whether every byte is ASCII: such text reads alike in every code page.
bool IsAscii(std::string_view text);
// Text comparison without regard to ASCII letter case.
bool EqualNoCase(std::string_view a, std::string_view b);
// Text from files made safe to show on a terminal: control characters other than line feed and
// tab become \xHH, so that a project file cannot move the cursor or retitle the window.
std::string ShownControls(std::string_view text);

}  // namespace zarvelin
