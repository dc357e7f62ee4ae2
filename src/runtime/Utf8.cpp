#include "runtime/Utf8.h"

namespace zarvelin {

std::optional<char32_t> NextCharacter(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) return text[at++];
  if ((first >> 6) == 0x2 || first >= 0xF8) return std::nullopt;
  const size_t length = (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : 4;
  if (at + length > text.size()) return std::nullopt;
  char32_t c = first & (0x3F >> (length - 1));
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) >> 6) != 0x2) return std::nullopt;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  at += length;
  return c;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
    return;
  }
  if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  text += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace zarvelin
