#include "copy/CopyProjectFromCD.h"

#include "copy/ConnectAddIn.h"
#include "copy/CopyProjectFiles.h"
#include "copy/SaveFiles.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "project/cVBP.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

namespace zarvelin::copy {
namespace {

// A copy directory spelled differently from the project directory ("C:\Proj\", "C:\Proj\.")
// passes the validation and makes the saved project file the source project file itself; the
// source project must never be written by a copy, so its Path32 line is then left alone.
bool IsSourceProjectFile(const std::string& sCopiedFile, const std::string& sSourceFile) {
  return Rt().files->SameFile(sCopiedFile, sSourceFile);
}

}  // namespace

bool CopyProjectFromCD(CopyDialog& dialog, ide::VBProject& project,
                       const std::string& sCopyDirectory, const std::string& sProjectDirectory,
                       const std::string& sProjectFileName) {
  bool result = false;
  Trap(kModule, "CopyProjectFromCD", [&](Erl& erl) {
    forms::Form& form = dialog.form;
    forms::Control& lblFrom = form.Ctl("lblFrom");
    forms::Control& lblCurrentProject = form.Ctl("lblCurrentProject");
    forms::Control& picModule = form.Ctl("picModule");

    erl = 10;
    const bool bAddIn = ConnectAddIn(dialog.vbe, std::string(kSccAddInProgId), false);
    if (bAddIn) form.Move(0, 0);

    erl = 20;
    lblFrom.SetCaption("Progress:");
    picModule.SetVisible(true);
    lblCurrentProject.SetVisible(false);
    dialog.window.SetOnTop(form, true);
    Sys().DoEvents();

    erl = 30;
    const bool bFiles = CopyProjectFiles(project, sCopyDirectory, picModule);
    bool bProjectFile = false;
    if (bFiles) {
      erl = 40;
      bProjectFile = SaveVBP(project, sCopyDirectory, sProjectFileName);
    }
    dialog.window.SetOnTop(form, false);

    const std::string sCopiedFile = sCopyDirectory + "\\" + sProjectFileName;
    const std::string sSourceFile = sProjectDirectory + "\\" + sProjectFileName;
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
    picModule.SetVisible(true);
    Sys().DoEvents();

    if (bAddIn) {
      erl = 100;
      ConnectAddIn(dialog.vbe, std::string(kSccAddInProgId), true);
      if (form.WindowState() != forms::windowstate::kMinimized) {
        dialog.window.Center(form);
        dialog.window.SetOnTop(form, true);
      }
    }
    result = bFiles && bProjectFile;
  });
  return result;
}

}  // namespace zarvelin::copy
