#include "host/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <type_traits>

namespace zarvelin::host {
namespace {

struct IconvCloser {
  void operator()(iconv_t handle) const { iconv_close(handle); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Iconv OpenConverter(const std::string& to, const std::string& from) {
  iconv_t handle = iconv_open(to.c_str(), from.c_str());
  if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return Iconv(handle);
}

Iconv OpenToUtf8(const std::string& codePage) {
  return OpenConverter("UTF-8", codePage);
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<std::string> Convert(const Iconv& converter, std::string_view text) {
  std::string input(text);
  // No character of these encodings takes more than four bytes, and every one at least one.
  std::string output(input.size() * 4, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
    return std::nullopt;
  }
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

bool IsKnownCodePage(const std::string& codePage) {
  return OpenToUtf8(codePage) != nullptr;
}

LeadBytes LeadBytesOf(const std::string& codePage) {
  LeadBytes leadBytes{};
  const Iconv converter = OpenToUtf8(codePage);
  if (!converter) return leadBytes;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    char input = static_cast<char>(byte);
    char* in = &input;
    size_t inLeft = 1;
    char output[8];
    char* out = output;
    size_t outLeft = sizeof output;
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) &&
        errno == EINVAL) {
      leadBytes[static_cast<size_t>(byte)] = true;
    }
  }
  return leadBytes;
}

std::optional<std::string> ToUtf8(const std::string& codePage, std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  const Iconv converter = OpenToUtf8(codePage);
  if (!converter) return std::nullopt;
  return Convert(converter, text);
}

std::optional<std::string> FromUtf8(const std::string& codePage, std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  const Iconv converter = OpenConverter(codePage, "UTF-8");
  if (!converter) return std::nullopt;
  return Convert(converter, text);
}

std::string ShownAsUtf8(const std::string& codePage, std::string_view text) {
  return ToUtf8(codePage, text).value_or(std::string(text));
}

}  // namespace zarvelin::host
