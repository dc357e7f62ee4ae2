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
// ("Created frmError", "SetWindowPos frmError -1 0 0 0 0 19", "RunModal frmAbout frmCopyProject"),
// the little window state a test asks about (visible, topmost), the headless font metrics, and a
// script per form that plays the user while the form is shown modally.
class RecordingWindowBackend : public forms::WindowBackend {
 public:
  using ModalScript = std::function<void(forms::Form&)>;

  // What the backend knows of one form's window.
  struct WindowRecord {
    bool exists = false;
    bool visible = false;
    bool topmost = false;
    int32_t windowState = forms::windowstate::kNormal;
    int32_t createdCount = 0;
    int32_t modalRuns = 0;
    intptr_t handle = 0;
  };

  // Queues a script for the form's next modal run. Scripts are used in the order given; the last
  // one stays in force for every later run. A script that leaves the form open is followed by the
  // user's close command, so no test waits for input.
  void OnModal(std::string formName, ModalScript script);

  const std::vector<std::string>& Calls() const { return calls_; }
  // The calls whose text starts with the prefix, in order.
  std::vector<std::string> CallsStartingWith(std::string_view prefix) const;
  void ClearCalls() { calls_.clear(); }

  // The state of a form's window; a form never seen gives the default record.
  WindowRecord Window(std::string_view formName) const;
  bool Topmost(std::string_view formName) const { return Window(formName).topmost; }
  bool IsVisible(std::string_view formName) const { return Window(formName).visible; }
  // Lets a test minimise or maximise a window as the user would.
  void SetWindowStateOf(std::string_view formName, int32_t state);

  void Created(forms::Form& form) override;
  void Destroyed(forms::Form& form) override;
  void FormChanged(forms::Form& form) override;
  void ControlChanged(forms::Form& form, forms::Control& control) override;
  void ShowModeless(forms::Form& form) override;
  void RunModal(forms::Form& form, forms::Form* owner) override;
  void Hidden(forms::Form& form) override;
  void SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x, int32_t y, int32_t cx,
                    int32_t cy, uint32_t flags) override;
  int32_t WindowState(const forms::Form& form) override;
  double FrameWidth() override;
  double FrameHeight() override;
  double TextWidthTwips(const forms::Font& font, std::string_view text) override;
  double TextHeightTwips(const forms::Font& font) override;

 private:
  WindowRecord& Record(const forms::Form& form);
  ModalScript NextScript(const std::string& formName);

  std::vector<std::string> calls_;
  std::map<std::string, WindowRecord, std::less<>> windows_;
  std::map<std::string, std::deque<ModalScript>, std::less<>> scripts_;
  intptr_t nextHandle_ = 0x10000;
};

}  // namespace zarvelin::fakes
