#include "runtime/ReferencesRead.h"

namespace zarvelin {

VersionedFacts<std::vector<std::string>>& ReferencesRead() {
  static VersionedFacts<std::vector<std::string>> references;
  return references;
}

}  // namespace zarvelin
