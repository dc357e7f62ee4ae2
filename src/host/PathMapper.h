#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/DirectoryNames.h"
#include "host/HeldFolders.h"

namespace zarvelin::host {

// Where VB drives and network shares live on the host.
struct PathMapperConfig {
  // Drive letter (either case) -> host directory. Z: is the host's "/" unless configured here.
  std::map<char, std::string> drives;
  // "\\server\share" (any letter case) -> host directory.
  std::map<std::string, std::string> shares;
  // The VB directory that paths without a drive start from; empty: the host's current directory.
  std::string workingDirectory;
};

// Translates VB paths ("\" separates, a colon ends a drive prefix) to host paths and back, the
// way Wine does. Both are UTF-8, as the system's text is inside and as the host names its files:
// Z:\ is "/", other drives and shares come from the configuration. Existing names are found without
// regard to letter case, as on Windows. A "/" or a NUL inside a VB name is not a separator and
// never reaches the host: such names fail with 52 (bad file name or number).
class PathMapper {
 public:
  explicit PathMapper(PathMapperConfig config = {});

  // The absolute VB path: "C:\a\b" (a root is "C:\" or "\\server\share\"), with "." and ".."
  // resolved lexically as Windows does, never climbing above the root.
  std::string Absolute(std::string_view vbPath) const;
  // The host path of a VB path. Existing components are spelled as the disk spells them; the
  // first missing one and everything after it keep the given spelling. Fails with 52 for a bad
  // name and 76 for an unknown drive or share.
  std::string ToHost(std::string_view vbPath) const;
  // ToHost, and what a held listing tells of the entry the path maps to (as HeldEntry).
  std::string ToHost(std::string_view vbPath, DirectoryNames::Known& known) const;
  // The VB path of a host path: under the configured drive or share whose directory holds it
  // most closely, else under Z:.
  std::string ToVb(std::string_view hostPath) const;

  // Trust the names of directories, once read, until the matching release (see DirectoryNames).
  void HoldListings() const;
  void ReleaseListings() const;

  // What a held listing tells of the entry at hostPath, without a look at the disk.
  DirectoryNames::Known HeldEntry(std::string_view hostPath) const;

  // This process is about to add or remove the entry at hostPath: the state of its directory now.
  std::optional<DirectoryNames::Stamp> BeforeChange(const std::string& hostPath) const;
  // This process added or removed the entry at hostPath, whose directory was `before` just
  // before; the names remembered for finding entries by letter case take the change.
  void Added(std::string_view hostPath, const std::optional<DirectoryNames::Stamp>& before) const;
  void Removed(std::string_view hostPath, const std::optional<DirectoryNames::Stamp>& before) const;
  // After Added: the entry at hostPath is a regular file this process wrote whole, `length` bytes
  // long; a held listing answers for it (see DirectoryNames::Wrote).
  void Wrote(std::string_view hostPath, unsigned long long length) const;
  // Under a hold, the length of the file this process wrote at hostPath; nothing where unknown.
  std::optional<unsigned long long> WrittenLength(std::string_view hostPath) const;

 private:
  struct Root {
    std::string vbPrefix;  // "C:" or "\\server\share"
    std::string hostDirectory;
  };
  struct Parsed {
    Root root;
    std::vector<std::string> components;
  };

  Parsed Parse(std::string_view vbPath) const;
  // ToHost by reading every step of the path.
  std::string MapSteps(std::string_view vbPath) const;
  // ToHost through the held mapping of the path's folder; nothing where the path is not a plain
  // name in a folder that exists.
  std::optional<std::string> MapInHeldFolder(std::string_view vbPath,
                                             DirectoryNames::Known& known) const;
  Root DriveRoot(char letter) const;
  Root ShareRoot(std::string_view server, std::string_view share) const;
  // The stored spelling of name in hostDirectory. knownMissingAsWritten: the caller has just
  // seen that the name as written is not there, so it is not asked again.
  std::optional<std::string> FindEntry(const std::string& hostDirectory, const std::string& name,
                                       bool knownMissingAsWritten) const;

  PathMapperConfig config_;
  std::optional<Parsed> working_;
  // Shared by copies of the mapper: they look at the same host.
  std::shared_ptr<DirectoryNames> names_ = std::make_shared<DirectoryNames>();
  std::shared_ptr<HeldFolders> folders_ = std::make_shared<HeldFolders>();
};

}  // namespace zarvelin::host
