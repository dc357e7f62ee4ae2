#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarvelin {

// VB string helpers on the system's text, UTF-8 inside (files convert at their edge, see
// CodePage.h).

// Trim: removes leading and trailing blanks (spaces only, as VB's Trim does).
std::string_view Trim(std::string_view text);
// LCase/UCase on ASCII letters; other bytes stay as they are.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
// Whether every byte is ASCII: such text reads alike in every code page.
bool IsAscii(std::string_view text);
// The character upper-cased as Windows does when it compares file names: one character for one,
// every script of the Basic Multilingual Plane ("ä" is "Ä", "ß" stays, as does every character
// beyond the plane), with no letter outside ASCII becoming an ASCII one.
char32_t UpperCase(char32_t character);
// Text compared as Windows compares file names without regard to letter case: character by
// character after UpperCase, with no normalisation; a byte that is no UTF-8 compares as itself.
bool EqualNoCase(std::string_view a, std::string_view b);
// A hash that is the same for texts EqualNoCase finds equal.
size_t NoCaseHashOf(std::string_view text);
// The UpperCase of every character, so that texts equal by EqualNoCase give equal keys.
std::string UpperCase(std::string_view text);
// Text from files made safe to show on a terminal: control characters other than line feed and
// tab become \xHH, so that a project file cannot move the cursor or retitle the window.
std::string ShownControls(std::string_view text);

}  // namespace zarvelin
