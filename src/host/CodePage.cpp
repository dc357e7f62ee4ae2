#include "host/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <type_traits>

#include "runtime/Strings.h"
#include "runtime/Windows1252.h"

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

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Runs the converter over the whole text. Where lenient, a byte it cannot take becomes U+FFFD and
// the conversion goes on after it; otherwise the first such byte ends it with nothing.
std::optional<std::string> Convert(iconv_t converter, std::string_view text, bool lenient) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::string input(text);
  std::string output;
  char* in = input.data();
  size_t inLeft = input.size();
  // No character of these encodings takes more than four bytes, and every one at least one.
  std::string piece(input.size() * 4 + kReplacement.size(), '\0');
  while (inLeft > 0) {
    char* out = piece.data();
    size_t outLeft = piece.size();
    const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    output.append(piece.data(), piece.size() - outLeft);
    if (done != static_cast<size_t>(-1)) break;
    if (!lenient || errno == E2BIG) return std::nullopt;
    output += kReplacement;
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  return output;
}

class IconvCodePage : public CodePage {
 public:
  IconvCodePage(std::string name, Iconv decoder, Iconv encoder)
      : name_(std::move(name)), decoder_(std::move(decoder)), encoder_(std::move(encoder)) {}

  const std::string& Name() const override { return name_; }

  std::string Decode(std::string_view bytes) const override {
    if (IsAscii(bytes)) return std::string(bytes);
    const std::lock_guard lock(mutex_);
    return Convert(decoder_.get(), bytes, true).value_or(std::string());
  }

  std::optional<std::string> Encode(std::string_view text) const override {
    if (IsAscii(text)) return std::string(text);
    const std::lock_guard lock(mutex_);
    return Convert(encoder_.get(), text, false);
  }

 private:
  std::string name_;
  // A converter keeps state between calls; one call at a time uses it.
  mutable std::mutex mutex_;
  Iconv decoder_;
  Iconv encoder_;
};

std::string IconvName(const std::string& name) {
  static const std::map<std::string, std::string> kWindowsNumbers = {
      {"874", "CP874"},   {"932", "CP932"},   {"936", "CP936"},   {"949", "CP949"},
      {"950", "CP950"},   {"1250", "CP1250"}, {"1251", "CP1251"}, {"1252", "CP1252"},
      {"1253", "CP1253"}, {"1254", "CP1254"}, {"1255", "CP1255"}, {"1256", "CP1256"},
      {"1257", "CP1257"}, {"1258", "CP1258"}};
  const auto found = kWindowsNumbers.find(name);
  return found == kWindowsNumbers.end() ? name : found->second;
}

}  // namespace

std::unique_ptr<CodePage> IconvCodePages::Open(const std::string& name) const {
  // Windows' own table for 1252 also reads the five bytes iconv leaves undefined.
  if (name == "1252") return std::make_unique<Windows1252CodePage>();
  // iconv takes an empty name for the locale's own, which says nothing of the project.
  if (name.empty()) return nullptr;
  const std::string iconvName = IconvName(name);
  Iconv decoder = OpenConverter("UTF-8", iconvName);
  Iconv encoder = OpenConverter(iconvName, "UTF-8");
  if (!decoder || !encoder) return nullptr;
  return std::make_unique<IconvCodePage>(name, std::move(decoder), std::move(encoder));
}

}  // namespace zarvelin::host
