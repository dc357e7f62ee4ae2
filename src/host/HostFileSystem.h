#pragma once

#include "host/HostFile.h"
#include "host/PathMapper.h"
#include "runtime/FileSystem.h"

namespace zarvelin::host {

// The run time's file operations on the host, through the path mapping and POSIX calls.
class HostFileSystem : public FileSystem {
 public:
  // How staged files are made: without a name wherever the file system and kernel allow, or
  // always under a temporary name, as on file systems that cannot make files without one.
  enum class Staging { kUnnamedWhereSupported, kNamed };

  explicit HostFileSystem(const PathMapper& paths,
                          Staging staging = Staging::kUnnamedWhereSupported);

  void Copy(const std::string& source, const std::string& target) override;
  std::unique_ptr<StagedFile> Stage(const std::string& target) override;
  std::string LinkTarget(const std::string& path) override;
  std::unique_ptr<ListingHold> HoldListings() override;
  void Delete(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  int32_t Attributes(const std::string& path) override;
  DateTime LastModified(const std::string& path) override;
  int64_t Length(const std::string& path) override;
  std::string FindFirst(const std::string& pattern, int32_t attributeMask) override;
  std::string EntryName(const std::string& path) override;
  void MakeDirectory(const std::string& path) override;
  void RemoveEmptyDirectory(const std::string& path) override;
  bool SameFile(const std::string& first, const std::string& second) override;

  std::unique_ptr<TextReader> OpenText(const std::string& path) override;
  std::string ReadBytes(const std::string& path) override;
  std::optional<std::string> Version(const std::string& path) override;
  void AppendText(const std::string& path, std::string_view text) override;

 private:
  // Tells the path mapping about a rename this process made, so its remembered names stay true.
  void Moved(const std::string& source, const std::string& target,
             const std::optional<DirectoryNames::Stamp>& sourceBefore,
             const std::optional<DirectoryNames::Stamp>& targetBefore) const;
  // open(2) for writing, creating the file when missing.
  HostFile OpenCreating(const std::string& host, int flags) const;

  const PathMapper& paths_;
  Staging staging_;
};

}  // namespace zarvelin::host
