#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "copy/JournalFile.h"
#include "runtime/StringKeys.h"

// Makes a copy into a directory all or nothing. Every planned target that already stands in the
// copy directory is renamed out of the way before the copy writes anything, and a journal on disk
// says so first; a finished copy removes what it put aside, a stopped one removes whatever stands
// at a planned name and puts the old files back. A copy killed half way leaves the journal, and
// the next copy into the directory replays it before doing anything else.
namespace zarvelin::copy {

// A file that stood in the copy directory before the copy, and where it waits now.
struct AsideFile {
  std::string path;
  std::string asidePath;
};

// What a rollback could not undo; empty when the directory is as it was before the copy.
struct RollbackOutcome {
  std::vector<AsideFile> notPutBack;
  // Files at planned names that could not be removed.
  std::vector<std::string> notRemoved;
  bool Complete() const { return notPutBack.empty() && notRemoved.empty(); }
};

struct CommitOutcome {
  // The targets that were already in the copy directory and now hold the copy's files.
  std::vector<std::string> replaced;
  // Put-aside files that could not be removed, under their aside names, or else the journal if
  // it could not be removed.
  std::vector<std::string> leftOver;
};

struct RecoveryOutcome {
  enum class Action { kNothing, kRolledBack, kCommitted };
  Action action = Action::kNothing;
  RollbackOutcome rollback;
  CommitOutcome commit;
};

class CopyJournal {
 public:
  // The journal's name in the copy directory: never a planned target, and a source file of that
  // name in the copy directory stops a copy there.
  static constexpr std::string_view kFileName = "~zarvelin-copy.journal";
  // Put-aside files are named this, followed by a number that makes the name free.
  static constexpr std::string_view kAsidePrefix = "~zarvelin-aside-";

  // Starts a copy into copyDirectory that will write the planned names and never touch the
  // reserved ones. Writes the journal, then puts aside every planned target that stands there.
  // Refuses (nothing changed) a planned name that is reserved, not a plain name, or the journal's;
  // a directory or a read-only file at a planned name (75, as replacing it would be refused);
  // a journal already there (58: recover first). When putting aside fails half way, what was put
  // aside is put back before the failure is thrown.
  // Planned names are relative to the copy directory; the folders they need that are not there
  // yet are made after the journal says so, and removed again by a rollback.
  static CopyJournal Begin(const std::string& copyDirectory,
                           const std::vector<std::string>& plannedTargetNames,
                           const NoCaseSet& reservedNames);
  // Adds names to a copy begun, as Begin does for its own: one journal makes several copies into
  // one directory (the projects of a group in one tree) all or nothing together. A name planned
  // already is not put aside again; a reserved name, or one that waits aside, is refused.
  void Extend(const std::vector<std::string>& plannedTargetNames, const NoCaseSet& reservedNames);

  // The copy finished. The journal is marked so before anything is removed; when marking fails
  // (thrown) nothing was removed and Rollback still undoes the copy.
  CommitOutcome Commit();
  // The copy stopped: removes whatever stands at a planned name and puts back what was put aside.
  // When that is not complete, the journal stays, narrowed to what is left to do.
  RollbackOutcome Rollback();

  // Replays a journal a killed copy left in copyDirectory: rolls back a copy that had not
  // finished, finishes the removals of one that had. A damaged journal is refused (75) and
  // nothing is touched.
  static RecoveryOutcome RecoverCopyDirectory(const std::string& copyDirectory);

  CopyJournal(CopyJournal&& other) noexcept;
  CopyJournal& operator=(CopyJournal&&) = delete;
  CopyJournal(const CopyJournal&) = delete;
  CopyJournal& operator=(const CopyJournal&) = delete;
  // A journal neither committed nor rolled back is rolled back, quietly: a copy that leaves by an
  // unforeseen exception still leaves the directory as it was, or else the journal to replay.
  ~CopyJournal();

 private:
  CopyJournal(std::string copyDirectory, JournalRecord record);

  std::string copyDirectory_;
  JournalRecord record_;
  bool open_ = true;
  // Whether the journal is on disk: before that there is nothing to undo.
  bool written_ = false;
};

}  // namespace zarvelin::copy
