#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "forms/Form.h"
#include "forms/WindowBackend.h"

namespace zarvelin::console {

// The window backend of a console program: no windows. A modal form is shown as text on standard
// error (its caption, then its visible labels and text boxes from top to bottom) and answered by
// its unattended button, or closed; a progress box (a picture box holding a bar and its
// percentage) becomes a text bar. Nothing ever waits for input.
class HeadlessWindows : public forms::WindowBackend {
 public:
  // inPlace: redraw the progress bar on one line, as a terminal or console window can; the
  // session knows whether `out` is one.
  HeadlessWindows(std::FILE* out, bool inPlace);
  ~HeadlessWindows() override;
  HeadlessWindows(const HeadlessWindows&) = delete;
  HeadlessWindows& operator=(const HeadlessWindows&) = delete;

  bool Topmost(std::string_view formName) const;

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
  intptr_t DeviceContext(const forms::Form& form) override;
  double FrameWidth() override;
  double FrameHeight() override;
  double TextWidthTwips(const forms::Font& font, std::string_view text) override;
  double TextHeightTwips(const forms::Font& font) override;

 private:
  void WriteLine(std::string_view line);
  void ShowProgress(const std::string& bar);
  void EndProgressLine();

  std::FILE* out_;
  bool inPlace_;
  std::map<std::string, bool, std::less<>> topmost_;
  std::string lastBar_;
  bool barOpen_ = false;
  intptr_t nextHandle_ = 0x10000;
};

// The text bar of a progress box, "[##########          ]  50%": empty when the box's drawing
// holds no filled bar and no text.
std::string ProgressBarText(const forms::Control& box);

}  // namespace zarvelin::console
