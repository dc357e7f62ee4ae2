#include "runtime/FileSystem.h"

#include "runtime/VbPath.h"

namespace zarvelin {

std::string FileSystem::EntryName(const std::string& path) {
  constexpr int32_t kAnyEntry = fileattr::kHidden | fileattr::kSystem | fileattr::kDirectory;
  std::string found = FindFirst(path, kAnyEntry);
  if (!found.empty()) return found;
  // Dir follows a link to what it names; a link to nothing is still an entry of its own.
  try {
    if (LinkTarget(path) == path) return {};
  } catch (const VbError&) {
  }
  return FileNameOf(path);
}

}  // namespace zarvelin
