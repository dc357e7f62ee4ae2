#pragma once

#include <string>
#include <vector>

#include "forms/Control.h"
#include "ide/Vbide.h"

namespace zarvelin::copy {

// The component pass: puts every component of the project into sCopyDirectory in the IDE's own
// order (code components saved by the IDE, the resource file and related documents copied as
// files and put into the project in place of their sources), advancing the bar in picModule after
// each. Stops at the first failure, which it has explained to the user; True when every component
// was put there. Names are planned first, so that nothing in the flat copy directory is written
// twice: a component whose file name is taken is saved under a free one, and renamed gets a line
// "source -> new name" for each.
bool CopyProjectFiles(ide::VBProject& project, const std::string& sCopyDirectory,
                      forms::Control& picModule, std::vector<std::string>* renamed = nullptr);

}  // namespace zarvelin::copy
