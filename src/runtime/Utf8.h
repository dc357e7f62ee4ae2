#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarvelin {

// The character of UTF-8 text that starts at `at`, moving `at` past it; nothing (and `at` left
// alone) for a malformed sequence.
std::optional<char32_t> NextCharacter(std::string_view text, size_t& at);
// Appends the character in UTF-8.
void AppendUtf8(std::string& text, char32_t character);

}  // namespace zarvelin
