#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "copy/CopyRequest.h"
#include "copy/CopyResult.h"
#include "ide/Vbide.h"

// What the Copy command does around the copy itself, for every caller: the checks before it and
// the closing message after it.
namespace zarvelin::copy {

// The project file the command copies and the request it forms.
struct CopyCommand {
  std::string projectFile;
  CopyRequest request;
};

// Checks that the active project was saved and has no unsaved changes, and that the typed copy
// directory may receive it; nothing when the copy must not start (the user has been told why).
// Failures pass to the caller, whose trap reports them.
std::optional<CopyCommand> CheckCopyCommand(ide::VBE& vbe, const std::string& sTypedDirectory);

// A copy reopens the source project from disk at its end, and a stopped copy is rolled back:
// changes the IDE holds unsaved would be lost either way. True, after telling the user, when the
// project or one of its components has changes not saved.
bool RefusedForUnsavedChanges(ide::VBProject& project);

// "Project:" with the project file, "Copied to directory:" with the directory as typed, the
// files saved under another name and how many files already there were replaced.
std::string ClosingMessage(const std::string& sProjectFile, const std::string& sTypedDirectory,
                           const CopyResult& result);

// The same for a group: "Projects:" with every project file copied, then as above.
std::string GroupClosingMessage(const std::vector<std::string>& projectFiles,
                                const std::string& sTypedDirectory,
                                const std::vector<Renaming>& renamed, size_t replaced);

}  // namespace zarvelin::copy
