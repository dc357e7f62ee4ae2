#pragma once

#include <string>
#include <vector>

#include "runtime/VersionedFacts.h"

namespace zarvelin {

// The binary companions (.frx, .ctx ...) each component file names, each once as first written,
// as whoever read the file first found them: the IDE reads every component file when it opens
// it, and a copy's plan, which needs the same names, then only looks at the file's version.
VersionedFacts<std::vector<std::string>>& ReferencesRead();

}  // namespace zarvelin
