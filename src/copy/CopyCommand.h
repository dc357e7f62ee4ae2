#pragma once

#include "copy/CopyDialog.h"

namespace zarvelin::copy {

// The Copy button: checks that the project was saved and that the typed copy directory is
// acceptable, runs the copy driver and tells the user where the copy went, then returns the
// dialog to its idle layout. True when the closing "Project:" message was shown.
bool cmdCopy_Click(CopyDialog& dialog);

}  // namespace zarvelin::copy
