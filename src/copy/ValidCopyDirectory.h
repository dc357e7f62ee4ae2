#pragma once

#include <string>

namespace zarvelin::copy {

// Decides whether the typed copy directory may receive a copy of the project in
// sProjectDirectory. Each refusal shows its own message box; True when the copy may go ahead.
bool ValidCopyDirectory(const std::string& sCopyDirectory, const std::string& sProjectDirectory);

// The refusal of a copy directory that is the project directory itself.
void RefuseProjectDirectory();

}  // namespace zarvelin::copy
