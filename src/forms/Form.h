#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Control.h"

namespace zarvelin::forms {

class WindowBackend;

// The form as its designer left it: one definition that every backend renders.
struct FormDesign {
  std::string name;
  std::string caption;
  double clientWidth = 0;   // twips
  double clientHeight = 0;  // twips
  Rgb backColor = kButtonFace;
  std::string icon;  // resource name of the form's icon; empty: none
  bool mdiChild = false;
  // Placed in the middle of the screen when loaded (VB's start-up position "CenterScreen");
  // otherwise at the screen's top left corner until moved.
  bool centredOnScreen = false;
  std::vector<ControlDesign> controls;
  // The button that stands for the user where nobody can answer (a terminal run, a script): a
  // headless backend shows the form's text and presses it. Empty: the form is just closed.
  std::string unattendedButton;
};

// QueryUnload's unload modes.
namespace unload {
inline constexpr int32_t kFormControlMenu = 0;  // the window's own close command
inline constexpr int32_t kFormCode = 1;         // Unload in code
}  // namespace unload

// Window states.
namespace windowstate {
inline constexpr int32_t kNormal = 0;
inline constexpr int32_t kMinimized = 1;
inline constexpr int32_t kMaximized = 2;
}  // namespace windowstate

// A form at run time, with VB's lifecycle: the first access to a control loads it (Form_Load),
// showing it activates it (Form_Activate), unloading asks Form_QueryUnload and Form_Unload and
// then drops the window; a later load starts again from the design data.
class Form {
 public:
  explicit Form(FormDesign definition);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return definition_.name; }
  const FormDesign& Definition() const { return definition_; }

  // Loads the form if it is not loaded yet.
  void Load();
  bool Loaded() const { return loaded_; }
  // Show: modeless (0) returns at once; modal (1) returns when the form has been hidden or
  // unloaded. Both load the form first.
  void Show(int32_t modal = 0, Form* owner = nullptr);
  void Hide();
  // Unload in code; returns false when a handler cancelled it.
  bool Unload();
  // The window's own close command (the title bar's close box): unload mode 0.
  bool CloseByUser();

  // A control by name; loads the form (as any control access does in VB). An unknown name is a
  // programming fault: std::out_of_range.
  Control& Ctl(std::string_view name);
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // Front-to-back order of controls in one container (z-order 0 first).
  std::vector<Control*> ZOrdered(std::string_view container) const;
  void BringToFront(Control& control);

  // User input, as the backend or a test delivers it.
  void Click(std::string_view control);
  void Click(const Control& control) { Click(control.Name()); }
  void DblClick(std::string_view control);
  void PressEnter();   // clicks the default button
  void PressEscape();  // clicks the cancel button

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void Move(double left, double top);
  int32_t WindowState() const;
  bool Visible() const { return visible_; }
  bool MdiChild() const { return definition_.mdiChild; }
  intptr_t hWnd() const { return hwnd_; }
  // The form's own device context (Form.hDC), for the calls that draw or measure text with the
  // form's font; 0 while the form is not loaded.
  intptr_t hDC() const;

  WindowBackend& Backend() const;

  // Called by the control whose properties changed, and by the backend.
  void ControlChanged(Control& control);
  void SetWindowHandle(intptr_t hwnd) { hwnd_ = hwnd; }
  void Activate();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(int32_t& /*cancel*/, int32_t /*unloadMode*/) {}
  virtual void Form_Unload(int32_t& /*cancel*/) {}

  void OnClick(std::string control, std::function<void()> handler);
  void OnDblClick(std::string control, std::function<void()> handler);

 private:
  bool UnloadWithMode(int32_t unloadMode);
  void ResetToDesign();
  void ClickButtonWhere(bool ControlDesign::*flag);

  FormDesign definition_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> zOrder_;  // front to back, all containers
  std::map<std::string, std::function<void()>, std::less<>> clicks_;
  std::map<std::string, std::function<void()>, std::less<>> dblClicks_;
  std::string caption_;
  double left_ = 0;
  double top_ = 0;
  double width_ = 0;
  double height_ = 0;
  bool loaded_ = false;
  bool unloading_ = false;
  bool visible_ = false;
  intptr_t hwnd_ = 0;
};

}  // namespace zarvelin::forms
