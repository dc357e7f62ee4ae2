#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvelin::forms {

// Measures a piece of text in twips.
using TextMeasure = std::function<double(std::string_view)>;

// The lines of a text as a multi-line edit box shows them. A line ends at CR LF, at a lone CR or
// at a lone LF (the break itself belongs to no line); a line wider than `width` wraps after the
// last blank that lets its words fit, the blanks staying at the end of the line; a word wider than
// a whole line is broken between characters. An empty text, and a text ending in a break, end with
// an empty line, as the edit box counts them.
std::vector<std::string> DisplayedLines(std::string_view text, double width,
                                        const TextMeasure& measure);

// The lines of a text broken at hard breaks only (a single-line box, or one without room to wrap),
// as pieces of the text.
std::vector<std::string_view> HardLines(std::string_view text);

}  // namespace zarvelin::forms
