#include "copy/CopyJournal.h"

#include <utility>

#include "copy/IsLink.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

std::string JournalPath(const std::string& copyDirectory) {
  return JoinPath(copyDirectory, CopyJournal::kFileName);
}

// A link is an entry of its own here, even when what it names is gone.
bool Stands(const std::string& path) {
  return !Files().EntryName(path).empty();
}

// The folder part of a relative name ("" for a plain name) and the name within that folder.
std::string FolderOf(const std::string& name) {
  const size_t cut = name.rfind('\\');
  return cut == std::string::npos ? std::string() : name.substr(0, cut);
}

std::string Within(const std::string& folder, std::string name) {
  return folder.empty() ? name : folder + "\\" + name;
}

// A put-aside name, in the folder of the file it stands for, that no planned, reserved or
// existing name takes.
std::string FreeAsideName(const std::string& copyDirectory, const std::string& folder,
                          NoCaseSet& taken, int32_t& counter) {
  for (;;) {
    const std::string leaf = std::string(CopyJournal::kAsidePrefix) + std::to_string(++counter);
    std::string name = Within(folder, leaf);
    if (taken.contains(name) || Stands(JoinPath(copyDirectory, name))) continue;
    taken.insert(name);
    return name;
  }
}

// Whether the folders of a copy's names stand in the copy directory, each looked up once; a file
// where the copy needs a folder stops it before anything is done.
class FolderCheck {
 public:
  explicit FolderCheck(const std::string& copyDirectory, const JournalRecord& record)
      : copyDirectory_(copyDirectory) {
    for (const std::string& folder : record.madeFolders) standing_.emplace(folder, true);
  }

  // Whether folder (relative, "" for the copy directory itself) stands; when it does not, the
  // folders to make for it, outermost first, are added to toMake the first time it is asked.
  bool Stands(const std::string& folder, std::vector<std::string>& toMake) {
    if (folder.empty()) return true;
    const auto known = standing_.find(folder);
    if (known != standing_.end()) return known->second;
    bool stands = false;
    if (Stands(FolderOf(folder), toMake)) {
      const std::string path = JoinPath(copyDirectory_, folder);
      try {
        if ((Files().Attributes(path) & fileattr::kDirectory) == 0) {
          throw VbError(vberr::kPathFileAccessError,
                        path + " is a file, where the copy makes a folder");
        }
        stands = true;
      } catch (const VbError& error) {
        if (error.Number() != vberr::kFileNotFound && error.Number() != vberr::kPathNotFound) {
          throw;
        }
      }
    }
    if (!stands) toMake.push_back(folder);
    standing_.emplace(folder, stands);
    return stands;
  }

 private:
  const std::string& copyDirectory_;
  NoCaseMap<bool> standing_;
};

// A source file named like the journal leaves the copy no place to keep it.
void RefuseJournalReserved(const std::string& journalPath, const NoCaseSet& reservedNames) {
  if (reservedNames.contains(CopyJournal::kFileName)) {
    throw VbError(vberr::kPathFileAccessError,
                  journalPath + " is a file of the project; the copy cannot keep its journal");
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
      waiting = aside && Stands(asidePath);
      if (aside && !waiting) continue;
      if (Stands(path)) Files().Delete(path);
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
  // Deepest first: a folder is empty once the files and folders made in it are gone.
  for (auto folder = record.madeFolders.rbegin(); folder != record.madeFolders.rend(); ++folder) {
    const std::string path = JoinPath(copyDirectory, *folder);
    try {
      Files().Attributes(path);
    } catch (const VbError&) {
      continue;
    }
    try {
      Files().RemoveEmptyDirectory(path);
    } catch (const VbError&) {
      outcome.notRemoved.push_back(path);
      left.madeFolders.insert(left.madeFolders.begin(), *folder);
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
    if (Stands(target)) replaced.push_back(target);
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
      if (!Stands(asidePath)) continue;
      // A planned name the copy did not write after all (an IDE need not write every companion
      // it might) keeps the file that was there: only what the copy replaced is dropped.
      if (Stands(target)) {
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
      open_(std::exchange(other.open_, false)),
      written_(other.written_) {}

CopyJournal::~CopyJournal() {
  if (!open_ || !written_) return;
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
  RefuseJournalReserved(journalPath, reservedNames);
  if (Stands(journalPath)) {
    throw VbError(vberr::kFileAlreadyExists,
                  "An earlier copy into " + copyDirectory + " left its journal; recover it first");
  }
  // From its first record on, leaving by a failure rolls back what was done so far.
  CopyJournal journal(copyDirectory, {});
  journal.Extend(plannedTargetNames, reservedNames);
  return journal;
}

void CopyJournal::Extend(const std::vector<std::string>& plannedTargetNames,
                         const NoCaseSet& reservedNames) {
  if (!open_) throw VbError(vberr::kInvalidProcedureCall);
  const std::string journalPath = JournalPath(copyDirectory_);
  RefuseJournalReserved(journalPath, reservedNames);
  NoCaseSet waiting;
  for (const AsideEntry& aside : record_.asides) waiting.insert(aside.asideName);
  NoCaseSet planned(record_.plannedNames.begin(), record_.plannedNames.end());
  std::vector<std::string> newNames;
  for (const std::string& name : plannedTargetNames) {
    if (!IsRelativeName(name) || EqualNoCase(name, kFileName) || reservedNames.contains(name) ||
        waiting.contains(name)) {
      throw VbError(vberr::kInvalidProcedureCall, "A copy cannot plan to write " + name);
    }
    // A name an earlier part of the copy planned is the copy's already: written again, it still
    // goes when the copy is undone.
    if (planned.insert(name).second) newNames.push_back(name);
  }
  NoCaseSet taken = reservedNames;
  taken.insert(planned.begin(), planned.end());
  taken.insert(waiting.begin(), waiting.end());

  JournalRecord record = record_;
  FolderCheck folders(copyDirectory_, record_);
  const size_t firstNewAside = record.asides.size();
  const size_t firstNewFolder = record.madeFolders.size();
  int32_t counter = 0;
  for (const std::string& name : newNames) {
    const std::string folder = FolderOf(name);
    if (!folders.Stands(folder, record.madeFolders)) {
      // Nothing stands in a folder the copy makes.
      record.plannedNames.push_back(name);
      continue;
    }
    const std::string path = JoinPath(copyDirectory_, name);
    const std::string onDisk = Files().EntryName(path);
    if (onDisk.empty()) {
      record.plannedNames.push_back(name);
      continue;
    }
    if (!IsPlainName(onDisk)) {
      throw VbError(vberr::kBadFileNameOrNumber, JoinPath(copyDirectory_, Within(folder, onDisk)) +
                                                     " has a name the copy cannot put aside");
    }
    RequireReplaceable(path);
    const std::string spelt = Within(folder, onDisk);
    record.plannedNames.push_back(spelt);
    record.asides.push_back({spelt, FreeAsideName(copyDirectory_, folder, taken, counter)});
  }
  WriteJournal(journalPath, record);
  written_ = true;
  record_ = std::move(record);
  for (size_t at = firstNewFolder; at < record_.madeFolders.size(); ++at) {
    Files().MakeDirectory(JoinPath(copyDirectory_, record_.madeFolders[at]));
  }
  for (size_t at = firstNewAside; at < record_.asides.size(); ++at) {
    const AsideEntry& aside = record_.asides[at];
    Files().Rename(JoinPath(copyDirectory_, aside.name), JoinPath(copyDirectory_, aside.asideName));
  }
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
  if (!Stands(journalPath)) return outcome;
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
