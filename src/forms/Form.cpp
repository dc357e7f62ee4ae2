#include "forms/Form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace zarvelin::forms {
namespace {

// "Form already displayed; can't show modally".
constexpr int32_t kFormAlreadyDisplayed = 400;

}  // namespace

Form::Form(FormDesign design) : definition_(std::move(design)), caption_(definition_.caption) {
  for (const ControlDesign& controlDesign : definition_.controls) {
    controls_.push_back(std::make_unique<Control>(*this, controlDesign));
  }
  ResetToDesign();
}

Form::~Form() {
  if (!loaded_ || Service<WindowBackend>::Installed() == nullptr) return;
  try {
    Windows().Destroyed(*this);
  } catch (...) {
    // A peer that cannot be dropped at the end of the program is dropped with the process.
  }
}

void Form::ResetToDesign() {
  for (size_t index = 0; index < controls_.size(); ++index) {
    controls_[index]->Reset(definition_.controls[index]);
  }
  // Controls laid out later lie in front of those laid out earlier.
  zOrder_.clear();
  for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
    zOrder_.push_back(control->get());
  }
  caption_ = definition_.caption;
  left_ = 0;
  top_ = 0;
  visible_ = false;
}

void Form::Load() {
  if (loaded_) return;
  ResetToDesign();
  width_ = definition_.clientWidth + Backend().FrameWidth();
  height_ = definition_.clientHeight + Backend().FrameHeight();
  if (definition_.centredOnScreen) {
    left_ = (Sys().ScreenWidth() - width_) / 2;
    top_ = (Sys().ScreenHeight() - height_) / 2;
  }
  // Loaded from here on, so that Form_Load can reach its own controls without loading again.
  loaded_ = true;
  Backend().Created(*this);
  Form_Load();
}

void Form::Show(int32_t modal, Form* owner) {
  Load();
  if (modal != 0) {
    if (visible_)
      throw VbError(kFormAlreadyDisplayed, "Form already displayed; can't show modally");
    visible_ = true;
    Activate();
    // Form_Activate may already have closed the form; then there is nothing to wait for.
    if (loaded_ && visible_) Backend().RunModal(*this, owner);
    return;
  }
  if (visible_) return;
  visible_ = true;
  Backend().ShowModeless(*this);
  Activate();
}

void Form::Hide() {
  Load();
  if (!visible_) return;
  visible_ = false;
  Backend().Hidden(*this);
}

bool Form::Unload() {
  return UnloadWithMode(unload::kFormCode);
}

bool Form::CloseByUser() {
  return UnloadWithMode(unload::kFormControlMenu);
}

bool Form::UnloadWithMode(int32_t unloadMode) {
  // Unloading a form that is not loaded, or again from inside its own unload handlers, does
  // nothing.
  if (!loaded_ || unloading_) return true;
  unloading_ = true;
  int32_t cancel = 0;
  try {
    Form_QueryUnload(cancel, unloadMode);
    if (cancel == 0) Form_Unload(cancel);
  } catch (...) {
    unloading_ = false;
    throw;
  }
  unloading_ = false;
  if (cancel != 0) return false;
  loaded_ = false;
  visible_ = false;
  Backend().Destroyed(*this);
  return true;
}

Control& Form::Ctl(std::string_view name) {
  Load();
  for (const auto& control : controls_) {
    if (control->Name() == name) return *control;
  }
  throw std::out_of_range("form " + definition_.name + " has no control " + std::string(name));
}

std::vector<Control*> Form::ZOrdered(std::string_view container) const {
  std::vector<Control*> ordered;
  for (Control* control : zOrder_) {
    if (control->Container() == container) ordered.push_back(control);
  }
  return ordered;
}

void Form::BringToFront(Control& control) {
  const auto found = std::find(zOrder_.begin(), zOrder_.end(), &control);
  if (found != zOrder_.end()) std::rotate(zOrder_.begin(), found, found + 1);
  ControlChanged(control);
}

void Form::Click(std::string_view control) {
  // A click on a check box turns it over before its handler runs, as in VB.
  for (const auto& each : controls_) {
    if (each->Name() == control && each->Kind() == ControlKind::CheckBox) {
      each->SetChecked(!each->Checked());
    }
  }
  const auto handler = clicks_.find(control);
  if (handler != clicks_.end()) handler->second();
}

void Form::DblClick(std::string_view control) {
  const auto handler = dblClicks_.find(control);
  if (handler != dblClicks_.end()) handler->second();
}

void Form::PressEnter() {
  ClickButtonWhere(&ControlDesign::isDefault);
}

void Form::PressEscape() {
  ClickButtonWhere(&ControlDesign::isCancel);
}

void Form::ClickButtonWhere(bool ControlDesign::*flag) {
  if (!loaded_) return;
  for (const auto& control : controls_) {
    const ControlDesign& design = control->Definition();
    // A hidden button does not answer the keyboard.
    if (design.kind == ControlKind::CommandButton && design.*flag && design.visible) {
      Click(control->Name());
      return;
    }
  }
}

void Form::SetCaption(std::string caption) {
  Load();
  caption_ = std::move(caption);
  Backend().FormChanged(*this);
}

void Form::Move(double left, double top) {
  Load();
  left_ = left;
  top_ = top;
  Backend().FormChanged(*this);
}

int32_t Form::WindowState() const {
  return loaded_ ? Backend().WindowState(*this) : windowstate::kNormal;
}

intptr_t Form::hDC() const {
  return loaded_ ? Backend().DeviceContext(*this) : 0;
}

WindowBackend& Form::Backend() const {
  return Windows();
}

void Form::ControlChanged(Control& control) {
  if (loaded_) Backend().ControlChanged(*this, control);
}

void Form::Activate() {
  Form_Activate();
}

void Form::OnClick(std::string control, std::function<void()> handler) {
  clicks_[std::move(control)] = std::move(handler);
}

void Form::OnDblClick(std::string control, std::function<void()> handler) {
  dblClicks_[std::move(control)] = std::move(handler);
}

}  // namespace zarvelin::forms
