#include "copy/CopyProjectFromCD.h"

#include <memory>

#include "copy/ConnectAddIn.h"
#include "copy/CopyProjectFiles.h"
#include "copy/SaveFiles.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "project/cVBP.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// A copy directory spelled differently from the project directory ("C:\Proj\", "C:\Proj\.")
// passes the validation and makes the saved project file the source project file itself; the
// source project must never be written by a copy, so its Path32 line is then left alone.
bool IsSourceProjectFile(const std::string& sCopiedFile, const std::string& sSourceFile) {
  return Files().SameFile(sCopiedFile, sSourceFile);
}

}  // namespace

bool CopyProjectFromCD(CopyDialog& dialog, ide::VBProject& project,
                       const std::string& sCopyDirectory, const std::string& sProjectDirectory,
                       const std::string& sProjectFileName) {
  bool result = false;
  // A step that reports its own failure (the Path32 rewrite, an add-in that will not connect)
  // lets the road go on, as each step's caller expects; the copy as a whole has still failed.
  const int32_t failuresBefore = FailuresReported();
  Trap(kModule, "CopyProjectFromCD", [&](Erl& erl) {
    // The copy owns its directories while it runs: each is listed once.
    const std::unique_ptr<ListingHold> listings = Files().HoldListings();
    forms::Form& form = dialog.form;
    forms::Control& lblFrom = dialog.lblFrom;
    forms::Control& lblCurrentProject = dialog.lblCurrentProject;
    forms::Control& picModule = dialog.picModule;

    erl = 10;
    const bool bAddIn = ConnectAddIn(dialog.vbe, std::string(kSccAddInProgId), false);
    if (bAddIn) form.Move(0, 0);

    erl = 20;
    lblFrom.SetCaption("Progress:");
    // A quiet copy draws its progress into a box nobody sees.
    picModule.SetVisible(!dialog.quiet);
    lblCurrentProject.SetVisible(false);
    dialog.window.SetOnTop(form, true);
    Sys().DoEvents();

    erl = 30;
    dialog.renamed.clear();
    const bool bFiles = CopyProjectFiles(project, sCopyDirectory, picModule, &dialog.renamed);
    bool bProjectFile = false;
    if (bFiles) {
      erl = 40;
      bProjectFile = SaveVBP(project, sCopyDirectory, sProjectFileName);
    }
    dialog.window.SetOnTop(form, false);

    const std::string sCopiedFile = JoinPath(sCopyDirectory, sProjectFileName);
    const std::string sSourceFile = JoinPath(sProjectDirectory, sProjectFileName);
    if (bProjectFile && !IsSourceProjectFile(sCopiedFile, sSourceFile)) {
      erl = 50;
      cVBP vbp;
      vbp.VBPFile(sCopiedFile);
      vbp.Path32("");
    }

    erl = 60;
    lblCurrentProject.SetVisible(true);
    picModule.SetVisible(false);
    lblCurrentProject.SetCaption("Reloading Original Project");
    Sys().DoEvents();
    Sys().SetMousePointer(pointer::kHourglass);

    if (bProjectFile) {
      erl = 70;
      dialog.vbe.Projects().AddFromFile(sSourceFile, true);
    } else if (bFiles) {
      erl = 80;
      Sys().MsgBox("The Copied Project's VBP File was Not Saved." + std::string(kCrLf) +
                       "You Should Close this Project and Reopen it.",
                   "Error Saving VBP File", mb::kExclamation);
    }

    erl = 90;
    lblCurrentProject.SetVisible(false);
    // A quiet copy draws its progress into a box nobody sees.
    picModule.SetVisible(!dialog.quiet);
    Sys().DoEvents();

    if (bAddIn) {
      erl = 100;
      ConnectAddIn(dialog.vbe, std::string(kSccAddInProgId), true);
      if (form.WindowState() != forms::windowstate::kMinimized) {
        dialog.window.Center(form);
        dialog.window.SetOnTop(form, true);
      }
    }
    result = bFiles && bProjectFile && FailuresReported() == failuresBefore;
  });
  return result;
}

}  // namespace zarvelin::copy
