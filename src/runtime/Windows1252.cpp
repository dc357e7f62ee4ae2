#include "runtime/Windows1252.h"

#include <array>
#include <cstdint>

#include "runtime/Strings.h"
#include "runtime/Utf8.h"

namespace zarvelin {
namespace {

// The characters of 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

std::optional<unsigned char> ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::string Windows1252CodePage::Decode(std::string_view bytes) const {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) AppendUtf8(text, CharacterOf(static_cast<unsigned char>(byte)));
  return text;
}

std::optional<std::string> Windows1252CodePage::Encode(std::string_view text) const {
  if (IsAscii(text)) return std::string(text);
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> c = NextCharacter(text, at);
    if (!c) return std::nullopt;
    const std::optional<unsigned char> byte = ByteOf(*c);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

const CodePage& Windows1252() {
  static const Windows1252CodePage codePage;
  return codePage;
}

}  // namespace zarvelin
