#pragma once

#include <iosfwd>
#include <string>

#include "copy/CopyResult.h"

namespace zarvelin::cli {

// The result of a copy (or of a dry run) as JSON: numbers as numbers, and the files in the copy
// directory under the directory as the user gave it (copyDirectory is how the copy named it).
void WriteCopyResultJson(const copy::CopyResult& result, bool dryRun,
                         const std::string& copyDirectory, const std::string& givenDirectory,
                         std::ostream& out);

}  // namespace zarvelin::cli
