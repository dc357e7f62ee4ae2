#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/Control.h"
#include "runtime/Service.h"

namespace zarvelin::forms {

class Form;

// SetWindowPos's insert-after values and flags, as the platform numbers them.
namespace windowpos {
inline constexpr intptr_t kTopmost = -1;
inline constexpr intptr_t kNotTopmost = -2;
inline constexpr uint32_t kNoSize = 0x01;
inline constexpr uint32_t kNoMove = 0x02;
inline constexpr uint32_t kNoActivate = 0x10;
// Only the z-order changes: place and size stay, and the window is not activated.
inline constexpr uint32_t kKeepPlaceAndSize = kNoSize | kNoMove | kNoActivate;
}  // namespace windowpos

// Gives each form a peer: nothing (headless), a recorder (tests) or real windows (Win32). A
// backend renders what the model holds and delivers the user's input back to the model; it decides
// nothing itself.
class WindowBackend {
 public:
  virtual ~WindowBackend() = default;

  // The form was loaded / unloaded: make or drop its peer (and give the form its handle).
  virtual void Created(Form& form) = 0;
  virtual void Destroyed(Form& form) = 0;
  // Something the user can see changed.
  virtual void FormChanged(Form& form) = 0;
  virtual void ControlChanged(Form& form, Control& control) = 0;

  virtual void ShowModeless(Form& form) = 0;
  // Runs until the form is hidden or unloaded; the form has been activated before.
  virtual void RunModal(Form& form, Form* owner) = 0;
  virtual void Hidden(Form& form) = 0;

  // SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags).
  virtual void SetWindowPos(Form& form, intptr_t insertAfter, int32_t x, int32_t y, int32_t cx,
                            int32_t cy, uint32_t flags) = 0;
  virtual int32_t WindowState(const Form& form) = 0;
  // The loaded form's device context, its font selected: it stays valid while the form is loaded,
  // as VB's Form.hDC does. A backend without windows answers a stand-in.
  virtual intptr_t DeviceContext(const Form& form) = 0;
  // Width and height the window adds around its client area, in twips.
  virtual double FrameWidth() = 0;
  virtual double FrameHeight() = 0;

  // Font metrics in twips.
  virtual double TextWidthTwips(const Font& font, std::string_view text) = 0;
  virtual double TextHeightTwips(const Font& font) = 0;
};

// The installed backend (the program or a test installs it before a form loads).
inline WindowBackend& Windows() {
  return Service<WindowBackend>::Get();
}

}  // namespace zarvelin::forms
