#include "copy/CopyCommand.h"

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyTexts.h"
#include "copy/GetFileName.h"
#include "copy/ValidCopyDirectory.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
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

// A copy reopens the source project from disk at its end, and a stopped copy is rolled back:
// changes the IDE holds unsaved would be lost either way.
bool HasUnsavedChanges(ide::VBProject& project) {
  if (project.IsDirty()) return true;
  for (const std::shared_ptr<ide::VBComponent>& component : project.Components().Enumerate()) {
    if (component->IsDirty()) return true;
  }
  return false;
}

}  // namespace

std::optional<CopyCommand> CheckCopyCommand(ide::VBE& vbe, const std::string& sTypedDirectory) {
  const std::shared_ptr<ide::VBProject> project = vbe.ActiveVBProject();
  const std::string sProjectFile = project->FileName();
  if (sProjectFile.empty()) {
    Sys().MsgBox("You must save this project before copy.", "Zarvelin", mb::kInformation);
    return std::nullopt;
  }
  if (HasUnsavedChanges(*project)) {
    Sys().MsgBox("The project has changes that are not saved." + std::string(kCrLf) +
                     "Please save the project before you copy it.",
                 "Zarvelin", mb::kInformation);
    return std::nullopt;
  }

  const std::string sProjectDirectory = mMain::GetFilePath(sProjectFile);
  if (!ValidCopyDirectory(sTypedDirectory, sProjectDirectory)) return std::nullopt;
  const std::string sCopyDirectory = CopyDirectoryOf(sTypedDirectory);
  if (IsProjectDirectory(sCopyDirectory, sProjectDirectory)) {
    RefuseProjectDirectory();
    return std::nullopt;
  }
  CopyCommand command;
  command.projectFile = sProjectFile;
  command.request.copyDirectory = sCopyDirectory;
  command.request.projectDirectory = sProjectDirectory;
  command.request.projectFileName = GetFileName(sProjectFile);
  return command;
}

std::string ClosingMessage(const std::string& sProjectFile, const std::string& sTypedDirectory,
                           const CopyResult& result) {
  std::string text = "Project:" + std::string(kCrLf) + sProjectFile + std::string(kCrLf) +
                     "Copied to directory:" + std::string(kCrLf) + sTypedDirectory;
  if (!result.renamed.empty()) {
    text += std::string(kCrLf) + "Saved under another name:";
    for (const Renaming& renaming : result.renamed) {
      text += std::string(kCrLf) + renaming.source + " -> " + renaming.name;
    }
  }
  if (!result.replaced.empty()) {
    text += std::string(kCrLf) + "Replaced " + std::to_string(result.replaced.size()) +
            " files that were already in the copy directory.";
  }
  return text;
}

}  // namespace zarvelin::copy
