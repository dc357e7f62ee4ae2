#pragma once

#include <string>

#include "copy/CopyRoad.h"
#include "copy/NamePlan.h"
#include "ide/Vbide.h"

namespace zarvelin::copy {

// The component pass: puts every component of the project into sCopyDirectory in the IDE's own
// order, under the name the plan gave it (code components saved by the IDE, the resource file and
// related documents copied as files and put into the project in place of their sources), telling
// the observer after each. Stops at the first failure, which it has explained to the user and
// noted on the road, or when the observer asks it to; True when every component was put there.
bool CopyProjectFiles(ide::VBProject& project, const std::string& sCopyDirectory,
                      const NamePlan& plan, CopyRoad& road);

}  // namespace zarvelin::copy
