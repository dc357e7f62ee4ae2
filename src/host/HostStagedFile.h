#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>

#include "host/HostFile.h"
#include "host/PathMapper.h"
#include "runtime/FileSystem.h"

namespace zarvelin::host {

// A file written whole on the host. A file new to its directory is made at its own name with
// O_CREAT | O_EXCL, which neither opens nor follows an entry already there, and is removed again
// when it cannot be completed: there is nothing to replace, so it needs no second name. A file that
// replaces an entry is staged: where the file system can, it is made without a name (O_TMPFILE),
// elsewhere under a temporary name with O_EXCL. When done it is linked at the target if the entry
// was put aside meanwhile (as a batch of saves does), and otherwise replaces the entry in one step
// by rename(2) from a name beside it, so the entry stays whole until then.
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
  // Notes what stands at the target, and refuses what may not be replaced; false when nothing does.
  bool InspectTarget();
  // False when an entry is already at the target.
  bool CreateAtTarget();
  void RemoveMadeAtTarget();
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
  // The file is being written at the target itself, and removed unless committed.
  bool madeAtTarget_ = false;
  // Bytes written so far: the file's length, told to the listings when it is put in place.
  unsigned long long length_ = 0;
};

}  // namespace zarvelin::host
