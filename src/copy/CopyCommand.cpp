#include "copy/CopyCommand.h"

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyProjectFromCD.h"
#include "copy/GetFileName.h"
#include "copy/ValidCopyDirectory.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbPath.h"
#include "support/mMain.h"

namespace zarvelin::copy {
namespace {

// Paths are joined as directory, "\", file name, so a drive root typed as "D:\" becomes "D:".
std::string CopyDirectoryOf(const std::string& sTyped) {
  if (Trim(sTyped).size() == 3) return sTyped.substr(0, 2);
  return sTyped;
}

// The validation compares texts, so the project directory spelled another way ("C:\Proj\",
// "C:\Proj\.", a link to it) passes it; copying there would save every component and the
// project file onto themselves. Directories have one identity however they are reached. Both are
// asked with the backslash that the files' paths put after them: a bare drive ("D:") is its root
// there, not the drive's working directory.
bool IsProjectDirectory(const std::string& sCopyDirectory, const std::string& sProjectDirectory) {
  return Files().SameFile(sCopyDirectory + "\\", sProjectDirectory + "\\");
}

// The closing message names every file that the flat copy directory made take another name.
std::string RenamedLines(const std::vector<std::string>& renamed) {
  if (renamed.empty()) return {};
  std::string text = std::string(kCrLf) + "Saved under another name:";
  for (const std::string& line : renamed) text += std::string(kCrLf) + line;
  return text;
}

}  // namespace

bool cmdCopy_Click(CopyDialog& dialog) {
  bool closed = false;
  StartReportRound();
  Trap(kModule, "cmdCopy_Click", [&](Erl& erl) {
    erl = 10;
    const std::string sProjectFile = dialog.vbe.ActiveVBProject()->FileName();
    if (sProjectFile.empty()) {
      Sys().MsgBox("You must save this project before copy.", "Zarvelin", mb::kInformation);
      return;
    }

    erl = 20;
    const std::string sProjectDirectory = mMain::GetFilePath(sProjectFile);
    if (!ValidCopyDirectory(dialog.txtDirectory.Text(), sProjectDirectory)) return;
    const std::string sCopyDirectory = CopyDirectoryOf(dialog.txtDirectory.Text());
    if (IsProjectDirectory(sCopyDirectory, sProjectDirectory)) {
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
      if (!dialog.quiet)
        Sys().MsgBox("Project:" + std::string(kCrLf) + sProjectFile + std::string(kCrLf) +
                         "Copied to directory:" + std::string(kCrLf) + dialog.txtDirectory.Text() +
                         RenamedLines(dialog.renamed),
                     "Zarvelin", mb::kInformation);
      closed = true;
    }

    erl = 50;
    Sys().SetMousePointer(pointer::kDefault);
    dialog.picModule.SetVisible(false);
    dialog.lblCurrentProject.SetVisible(true);
    dialog.lblCurrentProject.SetCaption(sProjectFile);
    dialog.lblFrom.SetCaption("From:");
    Sys().DoEvents();
  });
  return closed;
}

}  // namespace zarvelin::copy
