#pragma once

#include "host/PathMapper.h"
#include "runtime/App.h"

namespace zarvelin::host {

// The App facts of the headless program: its directory (the running program's, as a VB path)
// and its base name "Zarvelin".
AppFacts HostAppFacts(const PathMapper& paths);

}  // namespace zarvelin::host
