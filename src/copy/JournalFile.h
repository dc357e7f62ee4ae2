#pragma once

#include <string>
#include <string_view>
#include <vector>

// The copy journal as it lies in the copy directory: what a copy may make there and what it put
// aside to make room, so that a copy killed half way can be undone or finished by the next one.
namespace zarvelin::copy {

// A file that stood at a planned name, renamed within its folder while the copy runs.
struct AsideEntry {
  std::string name;       // as the copy directory spelt it
  std::string asideName;  // where it waits
};

// Names are relative to the copy directory: a plain name, or folders and a name ("Common\m.bas").
struct JournalRecord {
  // Set once the copy has finished: what waits aside is then only to be removed.
  bool committed = false;
  std::vector<std::string> plannedNames;
  std::vector<AsideEntry> asides;
  // The folders the copy made for its files, outermost first: a stopped copy removes them again.
  std::vector<std::string> madeFolders;
};

// Whether a name stands for one entry directly inside a directory and can be written on one
// journal line: not empty, not "." or "..", no separator, drive or stream colon, wildcard or
// control character. A journal's names are trusted to stay inside the copy directory only so.
bool IsPlainName(std::string_view name);

// Whether a name stands for an entry inside a directory, directly or below folders of it: plain
// names joined by backslashes, so that it can never climb out of the directory.
bool IsRelativeName(std::string_view name);

// Writes the record whole at path, replacing what is there in one step: a reader finds the old
// record or the new one, never a part. Throws VbError.
void WriteJournal(const std::string& path, const JournalRecord& record);

// Reads the record at path. A journal that is cut short, altered, or names anything outside its
// directory is refused (75) with a description saying so: replaying a part of one could remove
// the wrong files.
JournalRecord ReadJournal(const std::string& path);

}  // namespace zarvelin::copy
