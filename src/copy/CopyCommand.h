#pragma once

#include <optional>
#include <string>

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

// "Project:" with the project file, "Copied to directory:" with the directory as typed, the
// files saved under another name and how many files already there were replaced.
std::string ClosingMessage(const std::string& sProjectFile, const std::string& sTypedDirectory,
                           const CopyResult& result);

}  // namespace zarvelin::copy
