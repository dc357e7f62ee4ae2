#pragma once

#include <string>

#include "copy/CopyDialog.h"
#include "ide/Vbide.h"

namespace zarvelin::copy {

// The copy driver: with the source-code-control add-in disconnected and the dialog in its
// progress layout, has the IDE put every component and then the project file into
// sCopyDirectory, clears the copied project file's compiled-output path and reopens the source
// project from sProjectDirectory. True only when the components were copied and the project file
// was saved.
bool CopyProjectFromCD(CopyDialog& dialog, ide::VBProject& project,
                       const std::string& sCopyDirectory, const std::string& sProjectDirectory,
                       const std::string& sProjectFileName);

}  // namespace zarvelin::copy
