#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/FileSystem.h"

// The file-backed IDE's file work, all through the run time's files on VB paths.
namespace zarvelin::filebacked {

bool FileExists(const std::string& path);
// path with its file name spelt as the disk stores it (the lookup ignores letter case); path
// itself when there is no such file or no file can have that name.
std::string StoredSpelling(const std::string& path);

// Puts several files in place as one step: each is staged whole beside its target first, and only
// when every one is written do they take their targets' places. A failure on the way leaves the
// targets as they were and removes the temporary files.
// The lines' bytes, each ended with CR LF, as VB writes its files.
std::string CrLfText(const std::vector<std::string>& lines);

class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();

  void Copy(const std::string& source, const std::string& target);
  // The source's bytes as a file the IDE writes: with a new file's permissions, not the source's.
  void CopyAsWritten(const std::string& source, const std::string& target);
  // Writes the lines' bytes with CR LF line ends, as VB writes its files.
  void Write(const std::vector<std::string>& lines, const std::string& target);
  // Writes text whose lines already end so.
  void WriteText(std::string_view text, const std::string& target);
  void Commit();

 private:
  struct Staged {
    std::unique_ptr<StagedFile> file;
    std::string target;
  };

  static std::string FreeNameBeside(const std::string& target);

  std::vector<Staged> staged_;
};

}  // namespace zarvelin::filebacked
