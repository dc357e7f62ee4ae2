#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvelin::cli {

// The text broken between words into lines of at most width columns (a word longer than that
// keeps its own line). A blank line separates paragraphs and stays; a single line break inside a
// paragraph is a space, so text written for one width reads well at another.
std::string Wrap(std::string_view text, size_t width);

// The candidate a mistyped word most likely meant: one it begins, or one a couple of letters
// away (a letter left out, added, changed or two swapped); nothing when none is that close.
std::optional<std::string> Closest(std::string_view typed,
                                   const std::vector<std::string>& candidates);

}  // namespace zarvelin::cli
