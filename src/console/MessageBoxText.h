#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvelin::console {

// CR LF, CR alone and LF alone all end a line on a console.
std::string ConsoleLines(std::string_view text);

// The button a console program presses for each button set, since nobody is there to answer: the
// one that lets a script go on safely, and for Yes/No questions the answer the user chose ahead.
int32_t UnattendedAnswer(int32_t style, int32_t yesNoAnswer);

// A message box as a console shows it: "[title]", the text, and for a box with a choice the
// answer it was given. Control characters are shown, not obeyed.
std::string MessageBoxText(std::string_view title, std::string_view text, int32_t style,
                           int32_t answer);

}  // namespace zarvelin::console
