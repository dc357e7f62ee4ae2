#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>

#include "host/HostFile.h"
#include "host/PathMapper.h"
#include "runtime/FileSystem.h"

namespace zarvelin::host {

// A staged replacement on the host. Where the file system can, the file is made without a name
// (O_TMPFILE) and linked in place when done: a failure, or a crash, leaves nothing behind, and
// linkat(2) neither replaces nor follows an entry at the name it is given. Elsewhere the
// temporary file is made with O_CREAT | O_EXCL, which neither opens nor follows an entry already
// at its name. An entry at the target is replaced in one step by rename(2).
class HostStagedFile : public StagedFile {
 public:
  // hostTarget: the target as the mapping found it on the host; known: what a held listing told
  // of it then; unnamed: whether to make the file without a name where that can be done.
  HostStagedFile(const PathMapper& paths, std::string hostTarget, DirectoryNames::Known known,
                 bool unnamed);
  ~HostStagedFile() override;
  HostStagedFile(const HostStagedFile&) = delete;
  HostStagedFile& operator=(const HostStagedFile&) = delete;

  bool TargetExisted() const override { return targetExisted_; }
  void Write(std::string_view bytes) override;
  void CopyFrom(const std::string& source) override;
  void WriteFrom(const std::string& source) override;
  void Commit() override;

 private:
  void Append(const std::string& source, bool takeSourceMode);
  bool OpenUnnamed(const std::string& directory);
  void CreateTemporary(const std::string& directory);
  // Gives the unnamed file a fresh name beside the target.
  void LinkTemporary();

  const PathMapper& paths_;
  std::string target_;
  // Where the file stands while it is written; empty for a file made without a name.
  std::string temporary_;
  std::optional<HostFile> file_;
  std::optional<mode_t> mode_;
  std::optional<std::pair<uid_t, gid_t>> owner_;
  bool targetExisted_ = false;
};

}  // namespace zarvelin::host
