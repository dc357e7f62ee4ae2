#pragma once

#include <iosfwd>

#include "cli/Commands.h"

namespace zarvelin::cli {

// `zarvelin copy GROUP.vbg DIRECTORY`: every project of the group into a folder of its own in
// DIRECTORY, each through the copy engine, then the group file pointing at the copies; all or
// nothing. 0 when the group was copied, 1 otherwise.
int RunGroupCopy(const CopyOptions& options, std::ostream& out);

}  // namespace zarvelin::cli
