#include "copy/CopyJournal.h"

#include <utility>

#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

constexpr int32_t kAnyEntry = fileattr::kHidden | fileattr::kSystem | fileattr::kDirectory;

std::string JournalPath(const std::string& copyDirectory) {
  return JoinPath(copyDirectory, CopyJournal::kFileName);
}

// A link is an entry of its own, even when what it names is gone.
bool IsLink(const std::string& path) {
  try {
    return Files().LinkTarget(path) != path;
  } catch (const VbError&) {
    return true;
  }
}

// The name of the entry at path as its directory spells it; empty when there is none.
std::string EntryName(const std::string& path, std::string_view name) {
  std::string found = Files().FindFirst(path, kAnyEntry);
  if (found.empty() && IsLink(path)) found = name;
  return found;
}

bool Stands(const std::string& path, std::string_view name) {
  return !EntryName(path, name).empty();
}

// A put-aside name no planned, reserved or existing name takes.
std::string FreeAsideName(const std::string& copyDirectory, NoCaseSet& taken, int32_t& counter) {
  for (;;) {
    std::string name = std::string(CopyJournal::kAsidePrefix) + std::to_string(++counter);
    if (taken.contains(name) || Stands(JoinPath(copyDirectory, name), name)) continue;
    taken.insert(name);
    return name;
  }
}

// What stands at a planned name must be renamable as a whole and later removable: a file that
// replacing would refuse stops the copy before anything is done to it.
void RequireReplaceable(const std::string& path) {
  if (IsLink(path)) return;
  const int32_t attributes = Files().Attributes(path);
  if (attributes & fileattr::kDirectory) {
    throw VbError(vberr::kPathFileAccessError, path + " is a folder, where the copy writes a file");
  }
  if (attributes & fileattr::kReadOnly) {
    throw VbError(vberr::kPathFileAccessError, path + " is read-only");
  }
}

// Whatever stands at a planned name was made by the copy, unless the old file there was never
// put aside or is back already (its aside name is free): then it is the old file, left alone.
RollbackOutcome PutBack(const std::string& copyDirectory, const JournalRecord& record) {
  StringMap<const AsideEntry*> asideOf;
  for (const AsideEntry& aside : record.asides) asideOf.emplace(aside.name, &aside);
  RollbackOutcome outcome;
  JournalRecord left;
  for (const std::string& name : record.plannedNames) {
    const std::string path = JoinPath(copyDirectory, name);
    const auto found = asideOf.find(name);
    const AsideEntry* aside = found == asideOf.end() ? nullptr : found->second;
    const std::string asidePath = aside ? JoinPath(copyDirectory, aside->asideName) : std::string();
    bool waiting = false;
    try {
      waiting = aside && Stands(asidePath, aside->asideName);
      if (aside && !waiting) continue;
      if (Stands(path, name)) Files().Delete(path);
      if (waiting) Files().Rename(asidePath, path);
    } catch (const VbError&) {
      left.plannedNames.push_back(name);
      if (aside) {
        outcome.notPutBack.push_back({path, asidePath});
        left.asides.push_back(*aside);
      } else {
        outcome.notRemoved.push_back(path);
      }
    }
  }
  const std::string journalPath = JournalPath(copyDirectory);
  try {
    if (outcome.Complete()) {
      Files().Delete(journalPath);
    } else {
      WriteJournal(journalPath, left);
    }
  } catch (const VbError&) {
    // A journal that could not be narrowed still holds the work left, and more that is undone.
    if (outcome.Complete()) outcome.notRemoved.push_back(journalPath);
  }
  return outcome;
}

std::vector<std::string> ReplacedFiles(const std::string& copyDirectory,
                                       const JournalRecord& record) {
  std::vector<std::string> replaced;
  for (const AsideEntry& aside : record.asides) {
    const std::string target = JoinPath(copyDirectory, aside.name);
    if (Stands(target, aside.name)) replaced.push_back(target);
  }
  return replaced;
}

// Removes what was put aside, then the journal once nothing is left aside: a journal kept tells
// the next copy to try again.
std::vector<std::string> RemoveAsides(const std::string& copyDirectory,
                                      const JournalRecord& record) {
  std::vector<std::string> leftOver;
  for (const AsideEntry& aside : record.asides) {
    const std::string asidePath = JoinPath(copyDirectory, aside.asideName);
    const std::string target = JoinPath(copyDirectory, aside.name);
    try {
      if (!Stands(asidePath, aside.asideName)) continue;
      // A planned name the copy did not write after all (an IDE need not write every companion
      // it might) keeps the file that was there: only what the copy replaced is dropped.
      if (Stands(target, aside.name)) {
        Files().Delete(asidePath);
      } else {
        Files().Rename(asidePath, target);
      }
    } catch (const VbError&) {
      leftOver.push_back(asidePath);
    }
  }
  if (!leftOver.empty()) return leftOver;
  const std::string journalPath = JournalPath(copyDirectory);
  try {
    Files().Delete(journalPath);
  } catch (const VbError&) {
    leftOver.push_back(journalPath);
  }
  return leftOver;
}

}  // namespace

CopyJournal::CopyJournal(std::string copyDirectory, JournalRecord record)
    : copyDirectory_(std::move(copyDirectory)), record_(std::move(record)) {}

CopyJournal::CopyJournal(CopyJournal&& other) noexcept
    : copyDirectory_(std::move(other.copyDirectory_)),
      record_(std::move(other.record_)),
      open_(std::exchange(other.open_, false)) {}

CopyJournal::~CopyJournal() {
  if (!open_) return;
  try {
    PutBack(copyDirectory_, record_);
  } catch (...) {
    // Whatever is left undone, the journal on disk still tells the next copy.
  }
}

CopyJournal CopyJournal::Begin(const std::string& copyDirectory,
                               const std::vector<std::string>& plannedTargetNames,
                               const NoCaseSet& reservedNames) {
  const std::string journalPath = JournalPath(copyDirectory);
  if (reservedNames.contains(kFileName)) {
    throw VbError(vberr::kPathFileAccessError,
                  journalPath + " is a file of the project; the copy cannot keep its journal");
  }
  NoCaseSet taken = reservedNames;
  std::vector<std::string> planned;
  for (const std::string& name : plannedTargetNames) {
    if (!IsPlainName(name) || EqualNoCase(name, kFileName) || reservedNames.contains(name)) {
      throw VbError(vberr::kInvalidProcedureCall, "A copy cannot plan to write " + name);
    }
    if (taken.insert(name).second) planned.push_back(name);
  }
  if (Stands(journalPath, kFileName)) {
    throw VbError(vberr::kFileAlreadyExists,
                  "An earlier copy into " + copyDirectory + " left its journal; recover it first");
  }

  JournalRecord record;
  int32_t counter = 0;
  for (const std::string& name : planned) {
    const std::string path = JoinPath(copyDirectory, name);
    const std::string onDisk = EntryName(path, name);
    if (onDisk.empty()) {
      record.plannedNames.push_back(name);
      continue;
    }
    if (!IsPlainName(onDisk)) {
      throw VbError(vberr::kBadFileNameOrNumber,
                    JoinPath(copyDirectory, onDisk) + " has a name the copy cannot put aside");
    }
    RequireReplaceable(path);
    record.plannedNames.push_back(onDisk);
    record.asides.push_back({onDisk, FreeAsideName(copyDirectory, taken, counter)});
  }
  WriteJournal(journalPath, record);
  // From here on, leaving by a failure rolls back what was put aside so far.
  CopyJournal journal(copyDirectory, std::move(record));
  for (const AsideEntry& aside : journal.record_.asides) {
    Files().Rename(JoinPath(copyDirectory, aside.name), JoinPath(copyDirectory, aside.asideName));
  }
  return journal;
}

CommitOutcome CopyJournal::Commit() {
  if (!open_) throw VbError(vberr::kInvalidProcedureCall);
  JournalRecord committed = record_;
  committed.committed = true;
  WriteJournal(JournalPath(copyDirectory_), committed);
  open_ = false;
  return {ReplacedFiles(copyDirectory_, record_), RemoveAsides(copyDirectory_, record_)};
}

RollbackOutcome CopyJournal::Rollback() {
  if (!open_) throw VbError(vberr::kInvalidProcedureCall);
  open_ = false;
  return PutBack(copyDirectory_, record_);
}

RecoveryOutcome CopyJournal::RecoverCopyDirectory(const std::string& copyDirectory) {
  const std::string journalPath = JournalPath(copyDirectory);
  RecoveryOutcome outcome;
  if (!Stands(journalPath, kFileName)) return outcome;
  const JournalRecord record = ReadJournal(journalPath);
  if (record.committed) {
    outcome.action = RecoveryOutcome::Action::kCommitted;
    outcome.commit = {ReplacedFiles(copyDirectory, record), RemoveAsides(copyDirectory, record)};
  } else {
    outcome.action = RecoveryOutcome::Action::kRolledBack;
    outcome.rollback = PutBack(copyDirectory, record);
  }
  return outcome;
}

}  // namespace zarvelin::copy
