#include "addin/Connect.h"

#include <array>
#include <utility>

#include "addin/CallFrame.h"
#include "addin/DisplayOnConnect.h"
#include "addin/UsersClipboard.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

constexpr std::string_view kModule = "Connect";

// The entries' face: bitmap resource 101 of the add-in (16 x 16, 16 colours).
constexpr int32_t kEntryFace = 101;
// Position 7 of the File menu, before the control that stood there.
constexpr int32_t kFileMenuPosition = 7;
constexpr int32_t kAtTheEnd = 0;

template <class T>
T& Required(const std::shared_ptr<T>& object) {
  if (object == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  return *object;
}

// A step of the disconnection: its failure skips only itself.
template <class Step>
void ResumeNext(Step&& step) {
  try {
    step();
  } catch (...) {
    // The IDE is closing the add-in whatever happens; the next step still has to run.
  }
}

void ShowFailure(std::string_view text) {
  Sys().MsgBox(text, App().title, mb::kCritical);
}

}  // namespace

void Connect::OnConnection(ide::VBE* application, int32_t connectMode,
                           std::shared_ptr<ide::AddIn> addInInst,
                           const CustomArguments& /*custom*/) {
  Trap(
      kModule, "OnConnection",
      [&](Erl&) {
        if (addInInstance_ != nullptr) return;
        shuttingDown_ = false;
        VBInstance_ = application;
        addInInstance_ = std::move(addInInst);
        if (connectMode != connectmode::kStartup) OnStartupComplete({});
        if (connectMode == connectmode::kExternal) Show(TheDialog());
      },
      [](const VbError&, int16_t) {
        ShowFailure("Unable to correctly connect the add-in");
        return true;
      });
}

void Connect::OnStartupComplete(const CustomArguments& /*custom*/) {
  CreateMenuItems();
  const std::string shown =
      Sys().GetSetting(App().title, addin::kSettingsSection, addin::kDisplayOnConnect, "0");
  if (shown == "1") Show(TheDialog());
}

void Connect::OnDisconnection(int32_t removeMode, const CustomArguments& /*custom*/,
                              std::function<void()> done) {
  if (removeMode == disconnectmode::kHostShutdown) shuttingDown_ = true;
  disconnectionPending_ = true;
  CallFrame::WhenReturned([this, done = std::move(done)] {
    Disconnect();
    if (done) done();
  });
}

void Connect::OnBeginShutdown(const CustomArguments& /*custom*/) {
  shuttingDown_ = true;
}

void Connect::Disconnect() {
  ResumeNext([&] { DestroyMenuItems(); });
  ResumeNext([&] {
    const bool open = frmAddIn_ != nullptr && frmAddIn_->IsVisible();
    Sys().SaveSetting(App().title, addin::kSettingsSection, addin::kDisplayOnConnect,
                      open ? "1" : "0");
  });
  ResumeNext([&] {
    if (frmAddIn_ != nullptr) Hide(*frmAddIn_);
  });
  ResumeNext([&] { frmAddIn_.reset(); });
  addInInstance_.reset();
  disconnectionPending_ = false;
}

void Connect::OnAddInsUpdate(const CustomArguments& /*custom*/) {}

void Connect::Show(frmCopyProject& window, int16_t modal) {
  window.SetVBInstance(VBInstance_);
  window.SetConnect(this);
  window.Show(modal);
}

void Connect::Hide(forms::Form& window) {
  window.Unload();
}

void Connect::CreateMenuItems() {
  using Control = std::shared_ptr<ide::CommandBarControl> Connect::*;
  using Source = std::shared_ptr<ide::CommandBarEvents> Connect::*;
  using Handler = void (Connect::*)(ide::CommandBarControl&, bool&, bool&);
  struct Entry {
    const char* bar;
    int32_t before;
    bool temporary;
    const char* caption;
    int32_t style;
    Control control;
    Source source;
    Handler handler;
  };
  static constexpr std::array<Entry, 3> kEntries{{
      {"File", kFileMenuPosition, true, "Zarvelin ...", ide::commandbar::kStyleIconAndCaption,
       &Connect::mnuFile_, &Connect::mnuHandlerFile, &Connect::mnuHandlerFile_Click},
      {"Add-Ins", kAtTheEnd, false, "Zarvelin ...", ide::commandbar::kStyleIconAndCaption,
       &Connect::mnuAddIn_, &Connect::mnuHandlerAddIn, &Connect::mnuHandlerAddIn_Click},
      {"Standard", kAtTheEnd, false, "Zarvelin", ide::commandbar::kStyleIcon,
       &Connect::btnStandard_, &Connect::btnHandlerStandard, &Connect::btnHandlerStandard_Click},
  }};

  Trap(
      kModule, "CreateMenuItems",
      [&](Erl&) {
        if (VBInstance_ == nullptr) throw VbError(vberr::kObjectVariableNotSet);
        const addin::UsersClipboard usersClipboard;
        for (const Entry& entry : kEntries) {
          std::shared_ptr<ide::CommandBarControl>& control = this->*entry.control;
          control = Required(VBInstance_->Bars().Item(entry.bar))
                        .Controls()
                        .Add(ide::commandbar::kButton, entry.before, entry.temporary);
          Required(control).SetCaption(entry.caption);
          control->SetStyle(entry.style);
          Sys().ClipboardSetBitmap(kEntryFace);
          control->PasteFace();
          std::shared_ptr<ide::CommandBarEvents>& source = this->*entry.source;
          source = VBInstance_->GetEvents().CommandBarEventsFor(control);
          Required(source).SetClickHandler(
              [this, handler = entry.handler](ide::CommandBarControl& clicked, bool& handled,
                                              bool& cancelDefault) {
                (this->*handler)(clicked, handled, cancelDefault);
              });
        }
      },
      [](const VbError&, int16_t) {
        ShowFailure("Unable to create necessary menu items");
        return true;
      });
}

void Connect::DestroyMenuItems() {
  using Control = std::shared_ptr<ide::CommandBarControl>;
  using Source = std::shared_ptr<ide::CommandBarEvents>;
  const std::array<std::pair<Control*, Source*>, 3> entries{{
      {&btnStandard_, &btnHandlerStandard},
      {&mnuAddIn_, &mnuHandlerAddIn},
      {&mnuFile_, &mnuHandlerFile},
  }};
  for (const auto& [control, source] : entries) {
    source->reset();
    ResumeNext([&] {
      if (*control != nullptr) (*control)->Delete();
    });
    control->reset();
  }
}

frmCopyProject& Connect::TheDialog() {
  if (frmAddIn_ == nullptr) frmAddIn_ = std::make_unique<frmCopyProject>();
  return *frmAddIn_;
}

void Connect::mnuHandlerFile_Click(ide::CommandBarControl&, bool&, bool&) {
  Show(TheDialog());
}

void Connect::mnuHandlerAddIn_Click(ide::CommandBarControl&, bool&, bool&) {
  Show(TheDialog());
}

void Connect::btnHandlerStandard_Click(ide::CommandBarControl&, bool&, bool&) {
  Show(TheDialog());
}

}  // namespace zarvelin
