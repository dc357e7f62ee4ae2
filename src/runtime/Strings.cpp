#include "runtime/Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "runtime/UpperCaseTable.h"
#include "runtime/Utf8.h"

namespace zarvelin {
namespace {

char LowerByte(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperByte(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The next character, upper-cased; a byte that starts no UTF-8 character stands for itself,
// above the range of characters so that it never equals one.
char32_t NextFolded(std::string_view text, size_t& at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  if (byte < 0x80) {
    ++at;
    return static_cast<char32_t>(UpperByte(static_cast<char>(byte)));
  }
  if (const std::optional<char32_t> character = NextCharacter(text, at)) {
    return UpperCase(*character);
  }
  ++at;
  return 0x110000 + byte;
}

constexpr uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr uint64_t kFnvPrime = 1099511628211ULL;

// Eight ASCII bytes upper-cased at once: a byte from 'a' to 'z' loses its 0x20 bit. Adding to
// a byte below 0x80 never carries into the next, so each sum's high bit tells that byte's place.
uint64_t UpperAsciiWord(uint64_t word) {
  constexpr uint64_t kEachByte = 0x0101010101010101ULL;
  const uint64_t fromA = word + kEachByte * (0x80 - 'a');
  const uint64_t pastZ = word + kEachByte * (0x80 - 'z' - 1);
  const uint64_t lowerCase = fromA & ~pastZ & (kEachByte * 0x80);
  return word ^ (lowerCase >> 2);
}

size_t AsciiNoCaseHash(std::string_view text) {
  uint64_t hash = kFnvOffset ^ text.size();
  for (size_t at = 0; at < text.size(); at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + at, std::min(sizeof word, text.size() - at));
    hash = (hash ^ UpperAsciiWord(word)) * kFnvPrime;
    // A word's high bytes would otherwise reach the low bits, which pick the bucket, only slowly.
    hash ^= hash >> 32;
  }
  return static_cast<size_t>(hash);
}

}  // namespace

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool IsAscii(std::string_view text) {
  // Eight bytes at a time: every line of every file read passes through here.
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  size_t at = 0;
  for (; at + sizeof(uint64_t) <= text.size(); at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) return false;
  }
  for (; at < text.size(); ++at) {
    if (static_cast<unsigned char>(text[at]) >= 0x80) return false;
  }
  return true;
}

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), LowerByte);
  return result;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), UpperByte);
  return result;
}

char32_t UpperCase(char32_t character) {
  if (character < 0x80) return static_cast<char32_t>(UpperByte(static_cast<char>(character)));
  if (character > 0xFFFF) return character;
  const std::span<const UpperCaseRun> runs = UpperCaseRuns();
  const auto run = std::upper_bound(
      runs.begin(), runs.end(), character,
      [](char32_t wanted, const UpperCaseRun& each) { return wanted < each.first; });
  if (run == runs.begin()) return character;
  const UpperCaseRun& holding = *std::prev(run);
  if (character > holding.last || (character - holding.first) % holding.stride != 0) {
    return character;
  }
  return static_cast<char32_t>(static_cast<int32_t>(character) + holding.delta);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  // Most texts compared are spelled alike or differ early in ASCII: only a difference is decoded.
  if (a == b) return true;
  size_t atA = 0;
  size_t atB = 0;
  while (atA < a.size() && atB < b.size()) {
    if (a[atA] == b[atB] && static_cast<unsigned char>(a[atA]) < 0x80) {
      ++atA;
      ++atB;
      continue;
    }
    if (NextFolded(a, atA) != NextFolded(b, atB)) return false;
  }
  return atA == a.size() && atB == b.size();
}

size_t NoCaseHashOf(std::string_view text) {
  // Nearly every text hashed is an ASCII file name. No character outside ASCII upper-cases into
  // it, so such a text is EqualNoCase only to ASCII texts of its length: it can be hashed eight
  // upper-cased bytes at a time, without decoding.
  if (IsAscii(text)) return AsciiNoCaseHash(text);
  uint64_t hash = kFnvOffset;
  for (size_t at = 0; at < text.size();) hash = (hash ^ NextFolded(text, at)) * kFnvPrime;
  return static_cast<size_t>(hash);
}

std::string UpperCase(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t start = at;
    const char32_t folded = NextFolded(text, at);
    if (folded >= 0x110000) {
      result += text[start];
    } else {
      AppendUtf8(result, folded);
    }
  }
  return result;
}

std::string ShownControls(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F) {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0x0F];
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace zarvelin
