#include "platform/Platform.h"

#include "runtime/VbError.h"

namespace zarvelin {
namespace {
Platform* installed = nullptr;
}

Platform& Sys() {
  if (installed == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  return *installed;
}

void SetPlatform(Platform* platform) {
  installed = platform;
}

Platform* InstalledPlatform() {
  return installed;
}

}  // namespace zarvelin
