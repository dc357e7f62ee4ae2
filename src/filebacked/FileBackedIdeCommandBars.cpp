#include "filebacked/FileBackedIdeCommandBars.h"

#include <algorithm>
#include <utility>

#include "platform/Platform.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::filebacked {
namespace {

const std::vector<std::string> kFileMenu{
    "&New Project",  "&Open Project...",    "A&dd Project...",       "&Remove Project",
    "Sa&ve Project", "Save Project A&s...", "&Save Form1",           "Save Form1 &As...",
    "&Print...",     "Print Set&up...",     "Ma&ke Project1.exe...", "E&xit"};
const std::vector<std::string> kAddInsMenu{"&Visual Data Manager...", "&Add-In Manager..."};
const std::vector<std::string> kStandardToolbar{"Add Standard EXE Project",
                                                "Add Form",
                                                "Menu Editor",
                                                "Open Project",
                                                "Save Project",
                                                "Cut",
                                                "Copy",
                                                "Paste",
                                                "Find",
                                                "Start",
                                                "Break",
                                                "End",
                                                "Project Explorer",
                                                "Properties Window",
                                                "Toolbox"};

VbError DeletedControl() {
  return VbError(vberr::kAutomationError, "The control has been deleted");
}

}  // namespace

FileBackedCommandBarControl::FileBackedCommandBarControl(
    std::weak_ptr<FileBackedCommandBarControls> bar, int32_t type, bool temporary,
    std::string caption)
    : bar_(std::move(bar)), type_(type), temporary_(temporary), caption_(std::move(caption)) {}

std::string FileBackedCommandBarControl::Caption() {
  return caption_;
}

void FileBackedCommandBarControl::SetCaption(const std::string& caption) {
  caption_ = caption;
}

int32_t FileBackedCommandBarControl::Style() {
  return style_;
}

void FileBackedCommandBarControl::SetStyle(int32_t style) {
  style_ = style;
}

void FileBackedCommandBarControl::PasteFace() {
  for (const ClipboardFormat& held : Sys().ClipboardSave()) {
    if (held.format == clipformat::kBitmap) {
      face_ = held.data;
      return;
    }
  }
  // As Office's command bars answer a paste without a picture on the clipboard.
  throw VbError(vberr::kInvalidProcedureCall);
}

void FileBackedCommandBarControl::Delete() {
  if (deleted_) throw DeletedControl();
  if (const std::shared_ptr<FileBackedCommandBarControls> bar = bar_.lock()) bar->Forget(*this);
  deleted_ = true;
}

ClickFlags FileBackedCommandBarControl::Click(ClickFlags flags) {
  if (deleted_) throw DeletedControl();
  // A handler may subscribe or drop sources while the click runs: walk what was there.
  const std::vector<std::weak_ptr<FileBackedCommandBarEvents>> listeners = listeners_;
  for (const std::weak_ptr<FileBackedCommandBarEvents>& listener : listeners) {
    if (const std::shared_ptr<FileBackedCommandBarEvents> events = listener.lock()) {
      events->Fire(*this, flags);
    }
  }
  std::erase_if(listeners_, [](const auto& listener) { return listener.expired(); });
  return flags;
}

void FileBackedCommandBarControl::Subscribe(
    const std::shared_ptr<FileBackedCommandBarEvents>& events) {
  listeners_.push_back(events);
}

void FileBackedCommandBarControls::AddBuiltIn(const std::vector<std::string>& captions) {
  for (const std::string& caption : captions) {
    controls_.push_back(std::make_shared<FileBackedCommandBarControl>(
        weak_from_this(), ide::commandbar::kButton, false, caption));
  }
}

void FileBackedCommandBarControls::Forget(const FileBackedCommandBarControl& control) {
  std::erase_if(controls_, [&](const auto& held) { return held.get() == &control; });
}

int32_t FileBackedCommandBarControls::Count() {
  return static_cast<int32_t>(controls_.size());
}

std::shared_ptr<ide::CommandBarControl> FileBackedCommandBarControls::Item(int32_t index) {
  if (index < 1 || index > Count()) throw VbError(vberr::kInvalidProcedureCall);
  return controls_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<ide::CommandBarControl> FileBackedCommandBarControls::Add(int32_t type,
                                                                          int32_t before,
                                                                          bool temporary) {
  if (before < 0 || before > Count() + 1) throw VbError(vberr::kInvalidProcedureCall);
  auto control =
      std::make_shared<FileBackedCommandBarControl>(weak_from_this(), type, temporary, "");
  const size_t position = before == 0 ? controls_.size() : static_cast<size_t>(before - 1);
  controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(position), control);
  return control;
}

FileBackedCommandBar::FileBackedCommandBar(std::string name,
                                           const std::vector<std::string>& captions)
    : name_(std::move(name)), controls_(std::make_shared<FileBackedCommandBarControls>()) {
  controls_->AddBuiltIn(captions);
}

ide::CommandBarControls& FileBackedCommandBar::Controls() {
  return *controls_;
}

FileBackedCommandBars::FileBackedCommandBars()
    : bars_{std::make_shared<FileBackedCommandBar>("File", kFileMenu),
            std::make_shared<FileBackedCommandBar>("Add-Ins", kAddInsMenu),
            std::make_shared<FileBackedCommandBar>("Standard", kStandardToolbar)} {}

std::shared_ptr<ide::CommandBar> FileBackedCommandBars::Item(const std::string& name) {
  for (const std::shared_ptr<FileBackedCommandBar>& bar : bars_) {
    if (EqualNoCase(bar->Name(), name)) return bar;
  }
  throw VbError(vberr::kInvalidProcedureCall);
}

void FileBackedCommandBarEvents::SetClickHandler(ide::ClickHandler handler) {
  handler_ = std::move(handler);
}

void FileBackedCommandBarEvents::Fire(ide::CommandBarControl& control, ClickFlags& flags) {
  if (handler_) handler_(control, flags.handled, flags.cancelDefault);
}

std::shared_ptr<ide::CommandBarEvents> FileBackedEvents::CommandBarEventsFor(
    std::shared_ptr<ide::CommandBarControl> control) {
  auto* ours = dynamic_cast<FileBackedCommandBarControl*>(control.get());
  if (ours == nullptr) throw VbError(vberr::kTypeMismatch);
  auto events = std::make_shared<FileBackedCommandBarEvents>();
  ours->Subscribe(events);
  return events;
}

}  // namespace zarvelin::filebacked
