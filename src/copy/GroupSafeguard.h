#pragma once

#include <memory>
#include <string>
#include <vector>

#include "copy/CopySafeguard.h"
#include "copy/JournalSafeguard.h"

namespace zarvelin::copy {

// Makes a group copy all or nothing. Each project's copy keeps what it put aside until every
// project and the group file are written, so a project that stops undoes the projects copied
// before it as well; the group file is put aside like a project's files, and the folders the
// group copy made are removed again, each only when it is empty.
//
// Projects copied into folders of their own keep a journal each there. Projects copied into one
// kept tree share the group file's journal, which each project's copy extends: a file they share
// is put aside once, and written again by each.
class GroupSafeguard {
 public:
  enum class Journals { OnePerProject, Shared };
  explicit GroupSafeguard(Journals journals = Journals::OnePerProject);
  ~GroupSafeguard();
  GroupSafeguard(const GroupSafeguard&) = delete;
  GroupSafeguard& operator=(const GroupSafeguard&) = delete;

  // Starts a group copy into copyDirectory that will write groupFileName there (a name relative
  // to it) and make the folders not there yet (and those above them). First finishes what a killed
  // group copy left there; what could not be put back, when nothing may start.
  std::vector<NotPutBack> Begin(const std::string& copyDirectory, const std::string& groupFileName,
                                const std::vector<std::string>& folders);
  // The safeguard of the next project's copy.
  CopySafeguard& ForNextProject();
  // Every project and the group file were written: drops what was put aside; the files replaced.
  std::vector<std::string> Commit();
  // The group copy stopped: undoes every project copied, the group file and the folders made;
  // what could not be put back or removed.
  std::vector<NotPutBack> Rollback();

 private:
  class HeldUntilGroupEnds;
  class SharingTheGroupJournal;

  Journals journals_;
  std::string copyDirectory_;
  std::unique_ptr<JournalSafeguard> groupFile_;
  std::unique_ptr<SharingTheGroupJournal> sharing_;
  std::vector<std::unique_ptr<HeldUntilGroupEnds>> projects_;
  // Deepest first, as they must be removed.
  std::vector<std::string> madeFolders_;
};

}  // namespace zarvelin::copy
