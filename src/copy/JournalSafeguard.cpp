#include "copy/JournalSafeguard.h"

#include "copy/IsLink.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// A read-only file or a folder at a planned name is not the copy's to replace: writing there
// fails with the file error and its message, as it always did, and the entry stays untouched,
// neither put aside nor removed by a rollback. A link is another matter, whatever it names: the
// copy replaces it with a file of its own, so the journal must move it as the link, or a copy
// that stops would leave the file where the link was.
bool LeftWhereItIs(const std::string& path) {
  // The held listing answers for the names that are free, which most are, without a look-up.
  if (Files().EntryName(path).empty() || IsLink(path)) return false;
  try {
    return (Files().Attributes(path) & (fileattr::kReadOnly | fileattr::kDirectory)) != 0;
  } catch (const VbError&) {
    // Gone meanwhile: nothing is left to leave alone.
    return false;
  }
}

std::vector<NotPutBack> NotPutBackOf(const RollbackOutcome& outcome) {
  std::vector<NotPutBack> files;
  for (const AsideFile& aside : outcome.notPutBack) files.push_back({aside.path, aside.asidePath});
  for (const std::string& path : outcome.notRemoved) files.push_back({path, path});
  return files;
}

// The planned names the journal takes care of: each once, none reserved, none left where it is.
std::vector<std::string> JournaledNames(const std::string& copyDirectory,
                                        const std::vector<std::string>& plannedTargetNames,
                                        const NoCaseSet& reserved) {
  NoCaseSet seen;
  std::vector<std::string> planned;
  for (const std::string& name : plannedTargetNames) {
    if (reserved.contains(name) || !seen.insert(name).second) continue;
    if (LeftWhereItIs(JoinPath(copyDirectory, name))) continue;
    planned.push_back(name);
  }
  return planned;
}

}  // namespace

std::unique_ptr<CopySafeguard> MakeCopySafeguard() {
  return std::make_unique<JournalSafeguard>();
}

void JournalSafeguard::Begin(const std::string& copyDirectory,
                             const std::vector<std::string>& plannedTargetNames,
                             const std::vector<std::string>& reservedNames) {
  const NoCaseSet reserved(reservedNames.begin(), reservedNames.end());
  copyDirectory_ = copyDirectory;
  journal_.emplace(CopyJournal::Begin(
      copyDirectory, JournaledNames(copyDirectory, plannedTargetNames, reserved), reserved));
}

void JournalSafeguard::Extend(const std::vector<std::string>& plannedTargetNames,
                              const std::vector<std::string>& reservedNames) {
  const NoCaseSet reserved(reservedNames.begin(), reservedNames.end());
  journal_->Extend(JournaledNames(copyDirectory_, plannedTargetNames, reserved), reserved);
}

std::vector<std::string> JournalSafeguard::Commit() {
  std::vector<std::string> replaced = journal_->Commit().replaced;
  journal_.reset();
  return replaced;
}

std::vector<NotPutBack> JournalSafeguard::Rollback() {
  std::vector<NotPutBack> notPutBack = NotPutBackOf(journal_->Rollback());
  journal_.reset();
  return notPutBack;
}

std::vector<NotPutBack> JournalSafeguard::Recover(const std::string& copyDirectory) {
  return NotPutBackOf(CopyJournal::RecoverCopyDirectory(copyDirectory).rollback);
}

}  // namespace zarvelin::copy
