#pragma once

#include <string>

#include "ide/Vbide.h"

namespace zarvelin::copy {

// Connects (bConnect True) or disconnects the first IDE add-in whose ProgID matches sProgId
// without regard to letter case. Connecting answers the add-in's state before the change;
// disconnecting answers True. False, with nothing changed, when no add-in matches.
bool ConnectAddIn(ide::VBE& vbe, const std::string& sProgId, bool bConnect);

}  // namespace zarvelin::copy
