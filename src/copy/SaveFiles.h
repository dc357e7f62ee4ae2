#pragma once

#include <string>

#include "copy/CopyRoad.h"
#include "ide/Vbide.h"

// The copy's two single-file saves into the copy directory. Both show their own message for a
// file or device failure, report anything else through ErrMsg, note the failure on the road and
// tell the caller only whether they succeeded.
namespace zarvelin::copy {

// Has the IDE save the open project's project file as copyDirectory\fileName.
bool SaveVBP(ide::VBProject& project, const std::string& copyDirectory, const std::string& fileName,
             CopyRoad& road);

// Copies a file the IDE does not save itself (the resource file, a related document) to
// copyDirectory\fileName, replacing a file of that name there.
bool SaveRelatedFile(const std::string& sourceFile, const std::string& copyDirectory,
                     const std::string& fileName, CopyRoad& road);

}  // namespace zarvelin::copy
