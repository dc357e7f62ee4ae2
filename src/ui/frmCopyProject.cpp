#include "ui/frmCopyProject.h"

#include <memory>
#include <optional>
#include <string>

#include "copy/CheckCopyCommand.h"
#include "copy/CopyHeldGroup.h"
#include "copy/CopyProject.h"
#include "copy/HeldGroup.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "support/mBrowseFolders.h"
#include "support/mMain.h"
#include "ui/frmAbout.h"
#include "ui/frmCopyProjectObserver.h"

namespace zarvelin {
namespace {

constexpr std::string_view kModule = "frmCopyProject";

// ShellExecuteA's show commands, and the first answer that means success.
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowRestore = 9;
constexpr int32_t kFirstShellSuccess = 33;
constexpr int32_t kModal = 1;

}  // namespace

frmCopyProject::frmCopyProject() : forms::Form(frmCopyProjectDesign()) {
  // A second copy would put aside the first one's files, Refresh and Browse would change what it
  // copies, and closing would unload the controls it draws on.
  const auto unlessCopying = [this](auto handler) {
    return [this, handler] {
      if (!copying_) handler();
    };
  };
  OnClick("cmdCopy", unlessCopying([this] { cmdCopy_Click(); }));
  OnClick("cmdBrowse", unlessCopying([this] { cmdBrowse_Click(); }));
  OnClick("cmdExplorer", [this] { cmdExplorer_Click(); });
  OnClick("cmdHelp", [this] { cmdHelp_Click(); });
  OnClick("cmdRefresh", unlessCopying([this] { cmdRefresh_Click(); }));
  OnClick("cmdAbout", [this] { cmdAbout_Click(); });
  OnClick("chkCopyGroup", [this] { chkCopyGroup_Click(); });
  OnClick("cmdExit", unlessCopying([this] { CloseThroughHost("cmdExit_Click"); }));
  OnClick("cmdCancel", unlessCopying([this] { CloseThroughHost("cmdCancel_Click"); }));
  // Enter lands on the hidden OK button, which does nothing.
  OnClick("cmdOK", [] {});
}

std::string frmCopyProject::ActiveProjectFile() {
  if (vbInstance_ == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  return vbInstance_->ActiveVBProject()->FileName();
}

void frmCopyProject::Form_Load() {
  window_ = std::make_unique<CWindow>();
  isVisible_ = true;
  // A failure while preparing must not reach the IDE; the dialog opens with what it has.
  Trap(kModule, "Form_Load", [&](Erl& erl) {
    erl = 10;
    forms::Control& label = lblCurrentProject();
    forms::Control& progress = picModule();
    label.ZOrder();
    label.SetTop(progress.Top());
    label.SetHeight(progress.Height());
    progress.SetVisible(false);

    erl = 20;
    const std::string sProjectFile = ActiveProjectFile();
    label.SetCaption(sProjectFile);
    txtDirectory().SetText(mMain::GetFilePath(sProjectFile));

    erl = 30;
    // The design hides the box: only a group has more to copy than the active project.
    if (vbInstance_->Projects().Count() > 1) {
      chkCopyGroup().SetChecked(copyAllProjects_);
      chkCopyGroup().SetVisible(true);
    }
  });
}

void frmCopyProject::Form_QueryUnload(int32_t& cancel, int32_t unloadMode) {
  if (copying_ && unloadMode == forms::unload::kFormControlMenu) cancel = 1;
}

void frmCopyProject::Form_Unload(int32_t& /*cancel*/) {
  isVisible_ = false;
  window_.reset();
}

void frmCopyProject::cmdCopy_Click() {
  lastCopySucceeded_ = false;
  if (vbInstance_ == nullptr || window_ == nullptr) {
    ReportFailure(kModule, "cmdCopy_Click", 0, vberr::kObjectVariableNotSet);
    return;
  }
  copying_ = true;
  StartReportRound();
  Trap(kModule, "cmdCopy_Click", [&](Erl& erl) {
    if (chkCopyGroup().Visible() && chkCopyGroup().Checked()) {
      CopyAllProjects(erl);
    } else {
      CopyActiveProject(erl);
    }
  });
  copying_ = false;
}

void frmCopyProject::CopyActiveProject(Erl& erl) {
  erl = 10;
  const std::optional<copy::CopyCommand> command =
      copy::CheckCopyCommand(*vbInstance_, txtDirectory().Text());
  if (!command) return;
  Sys().DoEvents();

  erl = 30;
  // Among other projects, reopening the source alone would close them: the projects are opened
  // again as they were held instead (a project never saved cannot be, and goes as before).
  copy::CopyRequest request = command->request;
  std::optional<HeldGroup::Held> group;
  if (vbInstance_->Projects().Count() > 1) {
    group = HeldGroup::Take(*vbInstance_);
    request.reopenSource = !group->refusal.empty();
  }
  const std::shared_ptr<ide::VBProject> project = vbInstance_->ActiveVBProject();
  frmCopyProjectObserver observer(*this, *window_, quiet_);
  const copy::CopyResult result = copy::CopyProject(*vbInstance_, *project, request, observer);
  // A copy stopped from outside (the add-in going away) makes no further IDE call.
  if (!request.reopenSource && result.step != copy::CopyStep::Stopped) {
    HeldGroup::Reopen(*vbInstance_, *group);
  }
  Sys().DoEvents();
  // Unloaded while it copied: there is nothing left to show the outcome in.
  if (!isVisible_) return;

  erl = 40;
  if (result.finished) {
    TellCopied(copy::ClosingMessage(command->projectFile, txtDirectory().Text(), result));
  }
  erl = 50;
  ShowIdle(command->projectFile);
}

void frmCopyProject::CopyAllProjects(Erl& erl) {
  erl = 10;
  const std::optional<copy::GroupCopyCommand> command =
      copy::CheckGroupCopyCommand(*vbInstance_, txtDirectory().Text());
  if (!command) return;
  Sys().DoEvents();

  erl = 30;
  frmCopyProjectObserver observer(*this, *window_, quiet_);
  const copy::GroupCopyResult result = copy::CopyHeldGroup(*vbInstance_, *command, observer);
  Sys().DoEvents();
  if (!isVisible_) return;

  erl = 40;
  if (result.finished) {
    TellCopied(copy::GroupClosingMessage(command->held.projectFiles, txtDirectory().Text(),
                                         result.renamed, result.replaced.size()));
  }
  erl = 50;
  ShowIdle(command->held.projectFiles.at(command->held.active));
}

void frmCopyProject::TellCopied(const std::string& closingMessage) {
  Sys().SetMousePointer(pointer::kDefault);
  if (!quiet_) Sys().MsgBox(closingMessage, "Zarvelin", mb::kInformation);
  lastCopySucceeded_ = true;
}

void frmCopyProject::ShowIdle(const std::string& projectFile) {
  Sys().SetMousePointer(pointer::kDefault);
  picModule().SetVisible(false);
  lblCurrentProject().SetVisible(true);
  lblCurrentProject().SetCaption(projectFile);
  lblFrom().SetCaption("From:");
  Sys().DoEvents();
}

void frmCopyProject::chkCopyGroup_Click() {
  copyAllProjects_ = chkCopyGroup().Checked();
}

void frmCopyProject::cmdBrowse_Click() {
  Trap(kModule, "cmdBrowse_Click", [&](Erl& erl) {
    erl = 10;
    forms::Control& directory = txtDirectory();
    const std::string remembered = directory.Text();
    erl = 20;
    directory.SetText(mBrowseFolders::BrowseForFolder(
        hWnd(), "Select a Directory to Copy Project to:", directory.Text()));
    erl = 30;
    if (Trim(directory.Text()).empty()) directory.SetText(remembered);
  });
}

void frmCopyProject::cmdExplorer_Click() {
  Trap(kModule, "cmdExplorer_Click", [&](Erl& erl) {
    erl = 10;
    const std::string sDirectory = txtDirectory().Text();
    const std::string sExplore =
        sDirectory.empty() ? mMain::GetFilePath(ActiveProjectFile()) : sDirectory;
    erl = 20;
    if (Sys().ShellExecuteFile(hWnd(), "Explore", sExplore, "", "", kShowRestore) <
        kFirstShellSuccess) {
      Sys().MsgBox(
          "An error occurred or this directory does not exist on your system:\r\n" + sDirectory,
          App().title, mb::kExclamation);
      Sys().ShellExecuteFile(hWnd(), "Explore", "c:\\", "", "", kShowRestore);
    }
  });
}

void frmCopyProject::cmdHelp_Click() {
  Trap(kModule, "cmdHelp_Click", [&](Erl& erl) {
    erl = 10;
    Sys().ShellExecuteFile(hWnd(), "open", App().path + "\\readme.wri", "", "C:\\", kShowNormal);
  });
}

void frmCopyProject::cmdRefresh_Click() {
  Trap(kModule, "cmdRefresh_Click", [&](Erl& erl) {
    erl = 10;
    lblCurrentProject().SetCaption(ActiveProjectFile());
  });
}

void frmCopyProject::cmdAbout_Click() {
  Trap(kModule, "cmdAbout_Click", [&](Erl& erl) {
    erl = 10;
    // Out of the topmost state so that the about box can come to the front; topmost afterwards.
    window_->SetOnTop(*this, false);
    erl = 20;
    frmAbout about;
    about.fCallingForm = this;
    about.ShowOK = true;
    about.Show(kModal, this);
    erl = 30;
    window_->SetOnTop(*this, true);
  });
}

void frmCopyProject::CloseThroughHost(std::string_view procedure) {
  Trap(kModule, procedure, [&](Erl& erl) {
    erl = 10;
    if (connect_ == nullptr) throw VbError(vberr::kObjectVariableNotSet);
    connect_->Hide(*this);
  });
}

}  // namespace zarvelin
