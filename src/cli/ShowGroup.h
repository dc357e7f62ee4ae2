#pragma once

#include <iosfwd>
#include <string>

namespace zarvelin::cli {

// Whether path names a project group file (.vbg, letter case aside).
bool IsGroupFile(const std::string& path);

// `zarvelin show GROUP.vbg [--json]`: the group's projects, the start-up project marked, and each
// project whose file is missing marked and named on standard error. 0 when every project file is
// there; 1 when one is missing or the group file cannot be read.
int ShowGroup(const std::string& vbgFile, bool json, std::ostream& out);

}  // namespace zarvelin::cli
