#pragma once

#include "cli/Commands.h"

namespace zarvelin::cli {

// `zarvelin copy GROUP.vbg DIRECTORY`: every project of the group into a folder of its own in
// DIRECTORY (or, keeping the tree, at its place), each through the copy engine, then the group
// file pointing at the copies; all or nothing. The directory has passed the command's checks.
// 0 when the group was copied, 1 otherwise.
int RunGroupCopy(const CopyOptions& options, const CommandContext& context);

}  // namespace zarvelin::cli
