#include "copy/CopyCommand.h"

#include <memory>
#include <string>

#include "copy/CopyProjectFromCD.h"
#include "copy/GetFileName.h"
#include "copy/ValidCopyDirectory.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "support/mMain.h"

namespace zarvelin::copy {
namespace {

// Paths are joined as directory, "\", file name, so a drive root typed as "D:\" becomes "D:".
std::string CopyDirectoryOf(const std::string& sTyped) {
  if (Trim(sTyped).size() == 3) return sTyped.substr(0, 2);
  return sTyped;
}

// The validation compares texts, so the project directory spelled another way ("C:\Proj\",
// "C:\Proj\.", a link) passes it; copying there would save every component and the project
// file onto themselves. The project file answering to the copy directory's name tells.
bool IsProjectDirectory(const std::string& sCopyDirectory, const std::string& sProjectFile) {
  return Rt().files->SameFile(sCopyDirectory + "\\" + GetFileName(sProjectFile), sProjectFile);
}

}  // namespace

bool cmdCopy_Click(CopyDialog& dialog) {
  bool closed = false;
  Trap(kModule, "cmdCopy_Click", [&](Erl& erl) {
    forms::Form& form = dialog.form;

    erl = 10;
    const std::string sProjectFile = dialog.vbe.ActiveVBProject()->FileName();
    if (sProjectFile.empty()) {
      Sys().MsgBox("You must save this project before copy.", "Zarvelin", mb::kInformation);
      return;
    }

    erl = 20;
    const std::string sProjectDirectory = mMain::GetFilePath(sProjectFile);
    if (!ValidCopyDirectory(form.Ctl("txtDirectory").Text(), sProjectDirectory)) return;
    const std::string sCopyDirectory = CopyDirectoryOf(form.Ctl("txtDirectory").Text());
    if (IsProjectDirectory(sCopyDirectory, sProjectFile)) {
      RefuseProjectDirectory();
      return;
    }
    Sys().DoEvents();

    erl = 30;
    const std::shared_ptr<ide::VBProject> project = dialog.vbe.ActiveVBProject();
    const bool bCopied = CopyProjectFromCD(dialog, *project, sCopyDirectory, sProjectDirectory,
                                           GetFileName(sProjectFile));
    Sys().DoEvents();

    erl = 40;
    if (bCopied) {
      Sys().SetMousePointer(pointer::kDefault);
      Sys().MsgBox("Project:" + std::string(kCrLf) + sProjectFile + std::string(kCrLf) +
                       "Copied to directory:" + std::string(kCrLf) +
                       form.Ctl("txtDirectory").Text(),
                   "Zarvelin", mb::kInformation);
      closed = true;
    }

    erl = 50;
    Sys().SetMousePointer(pointer::kDefault);
    form.Ctl("picModule").SetVisible(false);
    forms::Control& lblCurrentProject = form.Ctl("lblCurrentProject");
    lblCurrentProject.SetVisible(true);
    lblCurrentProject.SetCaption(sProjectFile);
    form.Ctl("lblFrom").SetCaption("From:");
    Sys().DoEvents();
  });
  return closed;
}

}  // namespace zarvelin::copy
