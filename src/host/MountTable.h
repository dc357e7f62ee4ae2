#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvelin::host {

// One line of /proc/self/mounts: where a file system is mounted and of what type.
struct MountEntry {
  std::string mountPoint;
  std::string type;
};

// Reads the text of /proc/self/mounts (fstab layout; "\040" and the like stand for blanks and
// other bytes in mount points). Lines that are not mount lines are passed over.
std::vector<MountEntry> ParseMounts(std::string_view text);

// GetDriveTypeA's answer for a file-system type: optical 5 (CD-ROM), network 4, memory 6 (RAM
// disk), anything else 3 (fixed).
int32_t DriveTypeOfFileSystem(std::string_view type);

// The drive type of the mount that holds an absolute host directory: the one with the longest
// mount point that contains it; 3 (fixed) when the table knows none.
int32_t DriveTypeOfDirectory(const std::vector<MountEntry>& mounts,
                             const std::string& hostDirectory);

}  // namespace zarvelin::host
