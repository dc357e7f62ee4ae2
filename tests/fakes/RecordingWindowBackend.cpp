#include "RecordingWindowBackend.h"

#include <utility>

#include "terminal/SansSerifMetrics.h"

namespace zarvelin::fakes {
namespace {

// Handles far apart, so that a form's controls can number themselves after it.
constexpr intptr_t kHandleStep = 0x1000;

}  // namespace

void RecordingWindowBackend::OnModal(std::string formName, ModalScript script) {
  scripts_[std::move(formName)].push_back(std::move(script));
}

std::vector<std::string> RecordingWindowBackend::CallsStartingWith(std::string_view prefix) const {
  std::vector<std::string> matching;
  for (const std::string& call : calls_) {
    if (std::string_view(call).substr(0, prefix.size()) == prefix) matching.push_back(call);
  }
  return matching;
}

RecordingWindowBackend::WindowRecord RecordingWindowBackend::Window(
    std::string_view formName) const {
  const auto found = windows_.find(formName);
  return found == windows_.end() ? WindowRecord{} : found->second;
}

void RecordingWindowBackend::SetWindowStateOf(std::string_view formName, int32_t state) {
  auto found = windows_.find(formName);
  if (found == windows_.end())
    found = windows_.emplace(std::string(formName), WindowRecord{}).first;
  found->second.windowState = state;
}

void RecordingWindowBackend::Created(forms::Form& form) {
  WindowRecord& record = Record(form);
  record.exists = true;
  record.visible = false;
  record.topmost = false;
  ++record.createdCount;
  record.handle = nextHandle_;
  nextHandle_ += kHandleStep;
  form.SetWindowHandle(record.handle);
  calls_.push_back("Created " + form.Name());
}

void RecordingWindowBackend::Destroyed(forms::Form& form) {
  WindowRecord& record = Record(form);
  record.exists = false;
  record.visible = false;
  record.topmost = false;
  record.handle = 0;
  form.SetWindowHandle(0);
  calls_.push_back("Destroyed " + form.Name());
}

void RecordingWindowBackend::FormChanged(forms::Form& form) {
  calls_.push_back("FormChanged " + form.Name());
}

void RecordingWindowBackend::ControlChanged(forms::Form& form, forms::Control& control) {
  calls_.push_back("ControlChanged " + form.Name() + "." + control.Name());
}

void RecordingWindowBackend::ShowModeless(forms::Form& form) {
  Record(form).visible = true;
  calls_.push_back("ShowModeless " + form.Name());
}

void RecordingWindowBackend::RunModal(forms::Form& form, forms::Form* owner) {
  WindowRecord& record = Record(form);
  record.visible = true;
  ++record.modalRuns;
  calls_.push_back("RunModal " + form.Name() + (owner ? " " + owner->Name() : std::string()));
  if (ModalScript script = NextScript(form.Name())) script(form);
  if (form.Loaded() && form.Visible()) form.CloseByUser();
  if (form.Loaded() && form.Visible()) calls_.push_back("LeftOpen " + form.Name());
}

void RecordingWindowBackend::Hidden(forms::Form& form) {
  Record(form).visible = false;
  calls_.push_back("Hidden " + form.Name());
}

void RecordingWindowBackend::SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x,
                                          int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  WindowRecord& record = Record(form);
  if (insertAfter == forms::windowpos::kTopmost) record.topmost = true;
  if (insertAfter == forms::windowpos::kNotTopmost) record.topmost = false;
  calls_.push_back("SetWindowPos " + form.Name() + " " + std::to_string(insertAfter) + " " +
                   std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) + " " +
                   std::to_string(cy) + " " + std::to_string(flags));
}

int32_t RecordingWindowBackend::WindowState(const forms::Form& form) {
  return Record(form).windowState;
}

double RecordingWindowBackend::FrameWidth() {
  return terminal::kFrameWidthTwips;
}

double RecordingWindowBackend::FrameHeight() {
  return terminal::kFrameHeightTwips;
}

double RecordingWindowBackend::TextWidthTwips(const forms::Font& font, std::string_view text) {
  return terminal::SansSerifTextWidthTwips(font, text);
}

double RecordingWindowBackend::TextHeightTwips(const forms::Font& font) {
  return terminal::SansSerifTextHeightTwips(font);
}

RecordingWindowBackend::WindowRecord& RecordingWindowBackend::Record(const forms::Form& form) {
  auto found = windows_.find(form.Name());
  if (found == windows_.end()) found = windows_.emplace(form.Name(), WindowRecord{}).first;
  return found->second;
}

RecordingWindowBackend::ModalScript RecordingWindowBackend::NextScript(
    const std::string& formName) {
  const auto found = scripts_.find(formName);
  if (found == scripts_.end() || found->second.empty()) return {};
  ModalScript script = found->second.front();
  if (found->second.size() > 1) found->second.pop_front();
  return script;
}

}  // namespace zarvelin::fakes
