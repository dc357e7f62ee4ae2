#include "RecordingWindowBackend.h"

#include <utility>

namespace zarvelin::fakes {

void RecordingWindowBackend::OnModal(std::string formName, ModalScript script) {
  scripts_[std::move(formName)].push_back(std::move(script));
}

void RecordingWindowBackend::Created(forms::Form& form) {
  // Handles far apart, so that a form's controls can number themselves after it.
  form.SetWindowHandle(nextHandle_);
  nextHandle_ += 0x1000;
  calls_.push_back("Created " + form.Name());
}

void RecordingWindowBackend::Destroyed(forms::Form& form) {
  form.SetWindowHandle(0);
  calls_.push_back("Destroyed " + form.Name());
}

intptr_t RecordingWindowBackend::DeviceContext(const forms::Form& form) {
  // Apart from every window handle, so that a window passed where a DC belongs shows.
  return form.hWnd() + 0x800;
}

void RecordingWindowBackend::RunModal(forms::Form& form, forms::Form* owner) {
  calls_.push_back("RunModal " + form.Name() + (owner ? " " + owner->Name() : std::string()));
  const auto found = scripts_.find(form.Name());
  if (found != scripts_.end() && !found->second.empty()) {
    const ModalScript script = found->second.front();
    if (found->second.size() > 1) found->second.pop_front();
    script(form);
  }
  if (form.Loaded() && form.Visible()) form.CloseByUser();
  if (form.Loaded() && form.Visible()) calls_.push_back("LeftOpen " + form.Name());
}

void RecordingWindowBackend::SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x,
                                          int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  calls_.push_back("SetWindowPos " + form.Name() + " " + std::to_string(insertAfter) + " " +
                   std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) + " " +
                   std::to_string(cy) + " " + std::to_string(flags));
}

}  // namespace zarvelin::fakes
