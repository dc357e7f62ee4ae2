#include "ui/frmCopyProjectObserver.h"

#include "platform/Platform.h"
#include "ui/DialogHost.h"
#include "ui/UpdateProgress.h"
#include "ui/frmCopyProject.h"

namespace zarvelin {

frmCopyProjectObserver::frmCopyProjectObserver(frmCopyProject& dialog, CWindow& window, bool quiet)
    : dialog_(dialog), window_(window), quiet_(quiet) {}

bool frmCopyProjectObserver::Gone() const {
  return !dialog_.IsVisible();
}

void frmCopyProjectObserver::PassStarting(int32_t components) {
  if (Gone()) return;
  counter_ = 0;
  forms::Control& picModule = dialog_.picModule();
  picModule.Cls();
  picModule.SetScaleWidth(components);
}

void frmCopyProjectObserver::ComponentCopied() {
  if (Gone()) return;
  int32_t lStep = 1;
  UpdateProgress(lStep, counter_, dialog_.picModule());
}

int32_t frmCopyProjectObserver::MsgBox(const std::string& text, const std::string& title,
                                       int32_t style) {
  // The IDE is closing its windows: a modal box now would hold up its shutdown, owned by a window
  // on its way out, to tell of a copy nobody waits for any more.
  if (ShuttingDown()) return mb::kAnswerOk;
  return Sys().MsgBox(text, title, style);
}

void frmCopyProjectObserver::ShowLayout(copy::CopyLayout layout) {
  if (Gone()) return;
  forms::Control& lblCurrentProject = dialog_.lblCurrentProject();
  forms::Control& picModule = dialog_.picModule();
  switch (layout) {
    case copy::CopyLayout::Copying:
      dialog_.lblFrom().SetCaption("Progress:");
      picModule.SetVisible(!quiet_);
      lblCurrentProject.SetVisible(false);
      break;
    case copy::CopyLayout::Reloading:
      lblCurrentProject.SetVisible(true);
      picModule.SetVisible(false);
      lblCurrentProject.SetCaption("Reloading Original Project");
      break;
    case copy::CopyLayout::AfterReload:
      lblCurrentProject.SetVisible(false);
      picModule.SetVisible(!quiet_);
      break;
  }
}

void frmCopyProjectObserver::MoveToCorner() {
  if (!Gone()) dialog_.Move(0, 0);
}

void frmCopyProjectObserver::SetOnTop(bool onTop) {
  if (!Gone()) window_.SetOnTop(dialog_, onTop);
}

void frmCopyProjectObserver::CenterOnTop() {
  if (Gone() || dialog_.WindowState() == forms::windowstate::kMinimized) return;
  window_.Center(dialog_);
  window_.SetOnTop(dialog_, true);
}

void frmCopyProjectObserver::DoEvents() {
  Sys().DoEvents();
}

bool frmCopyProjectObserver::StopRequested() {
  const DialogHost* host = dialog_.Connect();
  return Gone() || (host != nullptr && host->DisconnectionPending());
}

bool frmCopyProjectObserver::ShuttingDown() {
  const DialogHost* host = dialog_.Connect();
  return host != nullptr && host->ShuttingDown();
}

}  // namespace zarvelin
