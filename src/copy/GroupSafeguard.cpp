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

// A project's safeguard in a kept tree: its names join the group's journal, whose commit or
// rollback is the group's alone. What a killed copy left was recovered when the group began.
class GroupSafeguard::SharingTheGroupJournal : public CopySafeguard {
 public:
  explicit SharingTheGroupJournal(JournalSafeguard& groupJournal) : groupJournal_(groupJournal) {}

  void Begin(const std::string& /*copyDirectory*/,
             const std::vector<std::string>& plannedTargetNames,
             const std::vector<std::string>& reservedNames) override {
    groupJournal_.Extend(plannedTargetNames, reservedNames);
  }
  std::vector<std::string> Commit() override { return {}; }
  std::vector<NotPutBack> Rollback() override { return {}; }
  std::vector<NotPutBack> Recover(const std::string& /*copyDirectory*/) override { return {}; }

 private:
  JournalSafeguard& groupJournal_;
};

namespace {

void Append(std::vector<NotPutBack>& to, const std::vector<NotPutBack>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

GroupSafeguard::GroupSafeguard(Journals journals) : journals_(journals) {}
GroupSafeguard::~GroupSafeguard() = default;

std::vector<NotPutBack> GroupSafeguard::Begin(const std::string& copyDirectory,
                                              const std::string& groupFileName,
                                              const std::vector<std::string>& folders) {
  copyDirectory_ = copyDirectory;
  groupFile_ = std::make_unique<JournalSafeguard>();
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
  if (journals_ == Journals::Shared) {
    if (!sharing_) sharing_ = std::make_unique<SharingTheGroupJournal>(*groupFile_);
    return *sharing_;
  }
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
  // The group's journal goes before the folders: in a kept tree it holds files in them.
  Append(notPutBack, groupFile_->Rollback());
  for (const std::string& folder : madeFolders_) {
    if (!mMain::DirectoryExists(folder)) continue;
    try {
      Files().RemoveEmptyDirectory(folder);
    } catch (const VbError&) {
      notPutBack.push_back({folder, folder});
    }
  }
  return notPutBack;
}

}  // namespace zarvelin::copy
