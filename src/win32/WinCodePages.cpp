#include "win32/WinCodePages.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "runtime/Strings.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {
namespace {

class WinCodePage : public CodePage {
 public:
  WinCodePage(std::string name, UINT id) : name_(std::move(name)), id_(id) {}

  const std::string& Name() const override { return name_; }

  std::string Decode(std::string_view bytes) const override {
    if (IsAscii(bytes)) return std::string(bytes);
    // Without MB_ERR_INVALID_CHARS a byte the code page does not define still gives a character,
    // so every line reads, as it does for VB.
    const int length =
        MultiByteToWideChar(id_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(id_, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return Narrow(wide);
  }

  std::optional<std::string> Encode(std::string_view text) const override {
    if (IsAscii(text)) return std::string(text);
    const std::wstring wide = Wide(text);
    // No best fit: a character the code page lacks must be refused, never written as a look-alike
    // ("?" or a similar letter) that names another file.
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(id_, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            nullptr, 0, nullptr, &lossy);
    if (lossy || (length == 0 && !wide.empty())) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(id_, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        bytes.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return bytes;
  }

 private:
  std::string name_;
  UINT id_;
};

}  // namespace

std::unique_ptr<CodePage> WinCodePages::Open(const std::string& name) const {
  UINT id = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), id);
  CPINFO info{};
  // Only the single-byte and double-byte code pages: UTF-8, GB18030, the ISO-2022 and ISCII
  // encodings are no ANSI code page a VB project was written in, and they refuse the no-best-fit
  // conversion.
  if (error != std::errc() || end != name.data() + name.size() || id == CP_ACP || id >= CP_UTF7 ||
      !IsValidCodePage(id) || !GetCPInfo(id, &info) || info.MaxCharSize > 2) {
    return nullptr;
  }
  return std::make_unique<WinCodePage>(name, id);
}

std::unique_ptr<CodePage> SystemCodePage() {
  return std::make_unique<WinCodePage>(std::to_string(GetACP()), CP_ACP);
}

}  // namespace zarvelin::win32
