#pragma once

#include "host/PathMapper.h"
#include "runtime/App.h"

namespace zarvelin::host {

// The App facts of the headless program: its directory and file (the running program's, as VB
// paths), its base name "Zarvelin" and its error log under the user's state directory.
AppFacts HostAppFacts(const PathMapper& paths);

}  // namespace zarvelin::host
