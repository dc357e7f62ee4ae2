#include "copy/GroupSafeguard.h"

#include <algorithm>

#include "copy/FileExists.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"
#include "support/mMain.h"

namespace zarvelin::copy {

// A project's safeguard whose finish waits for the group's: the engine's commit only marks it
// done, and the group commits or rolls back every project together.
class GroupSafeguard::HeldUntilGroupEnds : public CopySafeguard {
 public:
  void Begin(const std::string& copyDirectory, const std::vector<std::string>& plannedTargetNames,
             const std::vector<std::string>& reservedNames) override {
    journal_->Begin(copyDirectory, plannedTargetNames, reservedNames);
  }
  std::vector<std::string> Commit() override {
    held_ = true;
    return {};
  }
  std::vector<NotPutBack> Rollback() override { return journal_->Rollback(); }
  std::vector<NotPutBack> Recover(const std::string& copyDirectory) override {
    return journal_->Recover(copyDirectory);
  }

  std::vector<std::string> CommitHeld() {
    if (!held_) return {};
    held_ = false;
    return journal_->Commit();
  }
  std::vector<NotPutBack> RollbackHeld() {
    if (!held_) return {};
    held_ = false;
    return journal_->Rollback();
  }

 private:
  std::unique_ptr<CopySafeguard> journal_ = MakeCopySafeguard();
  bool held_ = false;
};

namespace {

void Append(std::vector<NotPutBack>& to, const std::vector<NotPutBack>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

GroupSafeguard::GroupSafeguard() = default;
GroupSafeguard::~GroupSafeguard() = default;

std::vector<NotPutBack> GroupSafeguard::Begin(const std::string& copyDirectory,
                                              const std::string& groupFileName,
                                              const std::vector<std::string>& folders) {
  copyDirectory_ = copyDirectory;
  groupFile_ = MakeCopySafeguard();
  std::vector<NotPutBack> notPutBack = groupFile_->Recover(copyDirectory);
  if (!notPutBack.empty()) return notPutBack;
  for (const std::string& folder : folders) {
    for (std::string missing = folder; !missing.empty() && !mMain::DirectoryExists(missing);
         missing = DirectoryOf(missing)) {
      if (std::find(madeFolders_.begin(), madeFolders_.end(), missing) == madeFolders_.end()) {
        madeFolders_.push_back(missing);
      }
    }
  }
  std::stable_sort(madeFolders_.begin(), madeFolders_.end(),
                   [](const std::string& first, const std::string& second) {
                     return first.size() > second.size();
                   });
  groupFile_->Begin(copyDirectory, {groupFileName}, {});
  return {};
}

CopySafeguard& GroupSafeguard::ForNextProject() {
  projects_.push_back(std::make_unique<HeldUntilGroupEnds>());
  return *projects_.back();
}

std::vector<std::string> GroupSafeguard::Commit() {
  std::vector<std::string> replaced;
  for (const std::unique_ptr<HeldUntilGroupEnds>& project : projects_) {
    const std::vector<std::string> more = project->CommitHeld();
    replaced.insert(replaced.end(), more.begin(), more.end());
  }
  const std::vector<std::string> groupFile = groupFile_->Commit();
  replaced.insert(replaced.end(), groupFile.begin(), groupFile.end());
  return replaced;
}

std::vector<NotPutBack> GroupSafeguard::Rollback() {
  std::vector<NotPutBack> notPutBack;
  for (auto project = projects_.rbegin(); project != projects_.rend(); ++project) {
    Append(notPutBack, (*project)->RollbackHeld());
  }
  for (const std::string& folder : madeFolders_) {
    if (!mMain::DirectoryExists(folder)) continue;
    try {
      Files().RemoveEmptyDirectory(folder);
    } catch (const VbError&) {
      notPutBack.push_back({folder, folder});
    }
  }
  Append(notPutBack, groupFile_->Rollback());
  return notPutBack;
}

}  // namespace zarvelin::copy
