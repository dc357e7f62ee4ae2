#include "copy/CheckCopyCommand.h"

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

bool HasUnsavedChanges(ide::VBProject& project) {
  if (project.IsDirty()) return true;
  for (const std::shared_ptr<ide::VBComponent>& component : project.Components().Enumerate()) {
    if (component->IsDirty()) return true;
  }
  return false;
}

// The files renamed and the count of files replaced, after the closing message's head.
std::string ClosingMessageTail(const std::vector<Renaming>& renamed, size_t replaced) {
  std::string text;
  if (!renamed.empty()) {
    text += std::string(kCrLf) + "Saved under another name:";
    for (const Renaming& renaming : renamed) {
      text += std::string(kCrLf) + renaming.source + " -> " + renaming.name;
    }
  }
  if (replaced > 0) {
    text += std::string(kCrLf) + "Replaced " + std::to_string(replaced) +
            " files that were already in the copy directory.";
  }
  return text;
}

}  // namespace

bool RefusedForUnsavedChanges(ide::VBProject& project) {
  if (!HasUnsavedChanges(project)) return false;
  Sys().MsgBox("The project has changes that are not saved." + std::string(kCrLf) +
                   "Please save the project before you copy it.",
               "Zarvelin", mb::kInformation);
  return true;
}

std::optional<CopyCommand> CheckCopyCommand(ide::VBE& vbe, const std::string& sTypedDirectory) {
  const std::shared_ptr<ide::VBProject> project = vbe.ActiveVBProject();
  const std::string sProjectFile = project->FileName();
  if (sProjectFile.empty()) {
    Sys().MsgBox("You must save this project before copy.", "Zarvelin", mb::kInformation);
    return std::nullopt;
  }
  if (RefusedForUnsavedChanges(*project)) return std::nullopt;

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
  return "Project:" + std::string(kCrLf) + sProjectFile + std::string(kCrLf) +
         "Copied to directory:" + std::string(kCrLf) + sTypedDirectory +
         ClosingMessageTail(result.renamed, result.replaced.size());
}

std::string GroupClosingMessage(const std::vector<std::string>& projectFiles,
                                const std::string& sTypedDirectory,
                                const std::vector<Renaming>& renamed, size_t replaced) {
  std::string text = "Projects:";
  for (const std::string& file : projectFiles) text += std::string(kCrLf) + file;
  return text + std::string(kCrLf) + "Copied to directory:" + std::string(kCrLf) + sTypedDirectory +
         ClosingMessageTail(renamed, replaced);
}

}  // namespace zarvelin::copy
