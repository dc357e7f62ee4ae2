#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/FileSystem.h"

namespace zarvelin::fakes {

// The run time's files kept in memory, so the portable tests touch no host file: VB paths whose
// names match without regard to letter case, directories that must exist before a file goes in
// them, the read-only attribute, and wildcards in FindFirst. A test can make chosen operations
// fail (by name, optionally only on paths containing a text, once or always); a failed
// operation changes nothing. Every operation that changes the disk is written down in Calls().
class MemoryFileSystem : public FileSystem {
 public:
  // Fails an op ("Copy", "Stage", "Write", "CopyFrom", "Commit" ...) on a path containing the
  // text, once: the next such call, or the one after as many as passing.
  void Fail(std::string op, int32_t errorNumber, std::string pathContains = {},
            int32_t passing = 0);

  // Puts bytes at a VB path, making the directories above it; LoadTree copies a host directory.
  void Put(const std::string& path, std::string_view bytes, int32_t attributes = 0);
  void PutDirectory(const std::string& path);
  void LoadTree(const std::string& hostDirectory, const std::string& vbDirectory);
  std::string Bytes(const std::string& path) const;
  bool Exists(const std::string& path) const;
  // Every file under a directory with its bytes, by path as first written.
  std::map<std::string, std::string> FilesUnder(const std::string& directory) const;
  // The paths of the folders below directory, at any depth.
  std::vector<std::string> FoldersUnder(const std::string& directory) const;
  const std::vector<std::string>& Calls() const { return calls_; }

  void Copy(const std::string& source, const std::string& target) override;
  std::unique_ptr<StagedFile> Stage(const std::string& target) override;
  std::string LinkTarget(const std::string& path) override { return path; }
  std::unique_ptr<ListingHold> HoldListings() override { return std::make_unique<ListingHold>(); }
  void Delete(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  int32_t Attributes(const std::string& path) override;
  DateTime LastModified(const std::string& path) override;
  int64_t Length(const std::string& path) override;
  std::string FindFirst(const std::string& pattern, int32_t attributeMask) override;
  void MakeDirectory(const std::string& path) override;
  void RemoveEmptyDirectory(const std::string& path) override;
  bool SameFile(const std::string& first, const std::string& second) override;
  std::unique_ptr<TextReader> OpenText(const std::string& path) override;
  std::string ReadBytes(const std::string& path) override;
  void AppendText(const std::string& path, std::string_view text) override;

  // Throws the injected failure due for op on the path, if any.
  void Check(std::string_view op, std::string_view path);
  void Record(std::string call) {
    calls_.push_back(std::move(call));
    if (afterEachChange_) afterEachChange_();
  }
  // Called after every change to the disk, with the change made: a test can keep each state a
  // process killed at that moment would leave.
  void AfterEachChange(std::function<void()> hook) { afterEachChange_ = std::move(hook); }
  // Refuses to replace a read-only file (75), as Windows does.
  void RequireWritable(const std::string& path) const;
  // A reader holds its file open until it goes; Windows refuses (70) to replace a file that is
  // open, where POSIX would not notice.
  void ReaderOpened(const std::string& path);
  void ReaderClosed(const std::string& path);
  void RequireClosed(const std::string& path) const;
  // Stores bytes in an existing file entry or a new one whose directory exists.
  void Store(const std::string& path, std::string bytes);

 private:
  struct Entry {
    std::string path;
    bool directory = false;
    std::string bytes;
    int32_t attributes = 0;
  };
  struct Fault {
    std::string op;
    int32_t errorNumber;
    std::string pathContains;
    int32_t passing;
  };

  const Entry& Existing(const std::string& path) const;
  void RequireParent(const std::string& path) const;

  std::map<std::string, Entry> entries_;
  std::map<std::string, int32_t> openReaders_;
  std::vector<Fault> faults_;
  std::vector<std::string> calls_;
  std::function<void()> afterEachChange_;
};

}  // namespace zarvelin::fakes
