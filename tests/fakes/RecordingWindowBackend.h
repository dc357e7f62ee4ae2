#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "forms/WindowBackend.h"

namespace zarvelin::fakes {

// A window backend for tests: no windows, every call written down as one readable line
// ("Created frmError", "SetWindowPos frmError -1 0 0 0 0 19", "RunModal frmError frmCopyProject"),
// text measured as the terminal measures it, and a script per form that plays the user while the
// form is shown modally.
class RecordingWindowBackend : public forms::WindowBackend {
 public:
  using ModalScript = std::function<void(forms::Form&)>;

  // Queues a script for the form's next modal run; the last one stays in force for later runs. A
  // script that leaves the form open is followed by the user's close command.
  void OnModal(std::string formName, ModalScript script);
  const std::vector<std::string>& Calls() const { return calls_; }

  void Created(forms::Form& form) override;
  void Destroyed(forms::Form& form) override;
  void FormChanged(forms::Form& form) override { calls_.push_back("FormChanged " + form.Name()); }
  void ControlChanged(forms::Form& form, forms::Control& control) override {
    calls_.push_back("ControlChanged " + form.Name() + "." + control.Name());
  }
  void ShowModeless(forms::Form& form) override { calls_.push_back("ShowModeless " + form.Name()); }
  void RunModal(forms::Form& form, forms::Form* owner) override;
  void Hidden(forms::Form& form) override { calls_.push_back("Hidden " + form.Name()); }
  void SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x, int32_t y, int32_t cx,
                    int32_t cy, uint32_t flags) override;
  int32_t WindowState(const forms::Form&) override { return forms::windowstate::kNormal; }
  intptr_t DeviceContext(const forms::Form& form) override;
  double FrameWidth() override { return 90; }
  double FrameHeight() override { return 375; }
  double TextWidthTwips(const forms::Font& font, std::string_view text) override {
    return static_cast<double>(text.size()) * (font.bold ? 90 : 83) * font.size / 8.25;
  }
  double TextHeightTwips(const forms::Font& font) override { return 195 * font.size / 8.25; }

 private:
  std::vector<std::string> calls_;
  std::map<std::string, std::deque<ModalScript>, std::less<>> scripts_;
  intptr_t nextHandle_ = 0x10000;
};

}  // namespace zarvelin::fakes
