#pragma once

#include <iosfwd>

#include "cli/ShownPaths.h"
#include "copy/CopyResult.h"

namespace zarvelin::cli {

// CopyResult as one JSON object, every path as the user reads it (see ShownPaths); a dry run has
// no sizes, since nothing was written.
void WriteCopyResultJson(const copy::CopyResult& result, bool dryRun, const ShownPaths& shown,
                         std::ostream& out);

}  // namespace zarvelin::cli
