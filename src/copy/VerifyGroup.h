#pragma once

#include <string>
#include <vector>

#include "copy/VerifyCopy.h"

namespace zarvelin::copy {

// Whether copyDirectory holds a complete and faithful copy of the project group in groupFile:
// each project verified against its own folder (as a group copy names them), and a group file of
// the same name whose project lines point at those copies, in the same order and with the same
// start-up project, and whose other lines and line ends are the source's. Each way it falls
// short, one sentence a difference; empty when there is none. A group file that cannot be read
// fails as reading it fails.
std::vector<std::string> VerifyGroup(const std::string& groupFile, const std::string& copyDirectory,
                                     const VerifyOptions& options);

}  // namespace zarvelin::copy
