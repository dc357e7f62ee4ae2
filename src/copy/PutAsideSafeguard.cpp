#include "copy/PutAsideSafeguard.h"

#include <memory>

#include "copy/FileExists.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {

std::unique_ptr<CopySafeguard> MakeCopySafeguard() {
  return std::make_unique<PutAsideSafeguard>();
}

std::string PutAsideSafeguard::Path(const std::string& name) const {
  return JoinPath(directory_, name);
}

void PutAsideSafeguard::Begin(const std::string& copyDirectory,
                              const std::vector<std::string>& plannedTargetNames,
                              const std::vector<std::string>& reservedNames) {
  directory_ = copyDirectory;
  asides_.clear();
  planned_.clear();
  untouched_.clear();
  const NoCaseSet reserved(reservedNames.begin(), reservedNames.end());
  NoCaseSet seen;
  for (const std::string& name : plannedTargetNames) {
    if (!reserved.contains(name) && seen.insert(name).second) planned_.push_back(name);
  }
  try {
    for (const std::string& name : planned_) {
      if (!FileExists(Path(name))) continue;
      // A read-only file is not the copy's to replace: writing there fails as it always did, and
      // the file stays where it is.
      if ((Files().Attributes(Path(name)) & fileattr::kReadOnly) != 0) {
        untouched_.insert(name);
        continue;
      }
      std::string asideName = name + std::string(kAsideSuffix);
      for (int n = 2; FileExists(Path(asideName)) || reserved.contains(asideName); ++n) {
        asideName = name + std::string(kAsideSuffix) + std::to_string(n);
      }
      Files().Rename(Path(name), Path(asideName));
      asides_.push_back({name, asideName});
    }
  } catch (...) {
    PutBack();
    asides_.clear();
    throw;
  }
}

std::vector<std::string> PutAsideSafeguard::Commit() {
  std::vector<std::string> replaced;
  for (const Aside& aside : asides_) {
    // An IDE need not write every name it might: a file it did not replace stays.
    if (!FileExists(Path(aside.name))) {
      Files().Rename(Path(aside.asideName), Path(aside.name));
      continue;
    }
    Files().Delete(Path(aside.asideName));
    replaced.push_back(Path(aside.name));
  }
  asides_.clear();
  return replaced;
}

std::vector<NotPutBack> PutAsideSafeguard::Rollback() {
  for (const std::string& name : planned_) {
    if (untouched_.contains(name)) continue;
    try {
      if (FileExists(Path(name))) Files().Delete(Path(name));
    } catch (const VbError&) {
      // Putting back what was there matters more; the one in its way is reported below.
    }
  }
  std::vector<NotPutBack> notPutBack = PutBack();
  asides_.clear();
  return notPutBack;
}

std::vector<NotPutBack> PutAsideSafeguard::PutBack() {
  std::vector<NotPutBack> notPutBack;
  for (const Aside& aside : asides_) {
    try {
      Files().Rename(Path(aside.asideName), Path(aside.name));
    } catch (const VbError&) {
      notPutBack.push_back({Path(aside.name), Path(aside.asideName)});
    }
  }
  return notPutBack;
}

std::vector<NotPutBack> PutAsideSafeguard::Recover(const std::string& copyDirectory) {
  directory_ = copyDirectory;
  std::vector<NotPutBack> notPutBack;
  NoCaseSet tried;
  const std::string pattern = Path("*" + std::string(kAsideSuffix));
  for (std::string asideName = Files().FindFirst(pattern, 0);
       !asideName.empty() && tried.insert(asideName).second;
       asideName = Files().FindFirst(pattern, 0)) {
    const std::string name = asideName.substr(0, asideName.size() - kAsideSuffix.size());
    try {
      if (FileExists(Path(name))) Files().Delete(Path(name));
      Files().Rename(Path(asideName), Path(name));
    } catch (const VbError&) {
      notPutBack.push_back({Path(name), Path(asideName)});
    }
  }
  return notPutBack;
}

}  // namespace zarvelin::copy
