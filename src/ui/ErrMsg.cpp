#include "ui/ErrMsg.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

#include "platform/Platform.h"
#include "runtime/Formats.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "ui/frmError.h"

namespace zarvelin {
namespace {

constexpr int32_t kModal = 1;

frmError*& Current() {
  static frmError* current = nullptr;
  return current;
}

// Restores the window reference of an outer report when a report inside it ends.
class CurrentWindowScope {
 public:
  explicit CurrentWindowScope(frmError* window) : outer_(std::exchange(Current(), window)) {}
  ~CurrentWindowScope() { Current() = outer_; }
  CurrentWindowScope(const CurrentWindowScope&) = delete;
  CurrentWindowScope& operator=(const CurrentWindowScope&) = delete;

 private:
  frmError* outer_;
};

void ShowReportWindow(std::string_view sMN, std::string_view sPN, int16_t iLine, int32_t lErr,
                      const std::optional<std::string>& vErrCat) {
  auto window = std::make_unique<frmError>();
  const CurrentWindowScope scope(window.get());
  window->Ctl("lblModuleTxt").SetCaption(std::string(sMN));
  window->Ctl("lblProcTxt").SetCaption(std::string(sPN));
  window->Ctl("lblLineNumTxt").SetCaption(NumberText(iLine));
  window->Ctl("lblErrNumTxt").SetCaption(NumberText(lErr));
  window->Ctl("lblErrCatTxt").SetCaption(vErrCat ? *vErrCat : "Visual Basic Error");
  window->Ctl("lblErrDescTxt").SetCaption(StandardMessage(lErr));
  window->Show(kModal);
}

// The failure still reaches the user when the window itself cannot be shown.
void TellWithoutWindow(std::string_view sMN, std::string_view sPN, int16_t iLine, int32_t lErr,
                       const VbError& windowFailure) {
  const std::string text =
      "Error" + NumberText(lErr) + " (" + StandardMessage(lErr) + ") in " + std::string(sMN) + "." +
      std::string(sPN) + ", line" + NumberText(iLine) +
      ".\r\nThe error report window could not be shown: " + windowFailure.Description();
  try {
    Sys().MsgBox(text, "Zarvelin", mb::kCritical);
  } catch (...) {
    std::fprintf(stderr, "Zarvelin: %s\n", text.c_str());
  }
}

}  // namespace

void ErrMsg(std::string_view sMN, std::string_view sPN, int16_t iLine, int32_t lErr,
            std::optional<std::string> vErrCat) {
  try {
    ShowReportWindow(sMN, sPN, iLine, lErr, vErrCat);
  } catch (...) {
    TellWithoutWindow(sMN, sPN, iLine, lErr, AsVbError(std::current_exception()));
  }
}

frmError* ErrorWindow() {
  return Current();
}

void InstallErrorReport() {
  SetFailureReporter([](std::string_view module, std::string_view procedure, int16_t line,
                        int32_t number) { ErrMsg(module, procedure, line, number); });
}

}  // namespace zarvelin
