#include "host/MountTable.h"

#include <algorithm>
#include <array>

#include "platform/Platform.h"

namespace zarvelin::host {
namespace {

// Mount points write blank, tab, newline and backslash as three octal digits after a backslash.
std::string Unescaped(std::string_view field) {
  std::string result;
  for (size_t at = 0; at < field.size(); ++at) {
    const bool octal = field[at] == '\\' && at + 3 < field.size() &&
                       std::all_of(field.begin() + at + 1, field.begin() + at + 4,
                                   [](char c) { return c >= '0' && c <= '7'; });
    if (octal) {
      result += static_cast<char>((field[at + 1] - '0') * 64 + (field[at + 2] - '0') * 8 +
                                  (field[at + 3] - '0'));
      at += 3;
    } else {
      result += field[at];
    }
  }
  return result;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    fields.push_back(line.substr(start, end - start));
    at = end;
  }
  return fields;
}

bool Contains(const std::string& mountPoint, const std::string& directory) {
  if (mountPoint == "/") return !directory.empty() && directory.front() == '/';
  return directory == mountPoint || (directory.size() > mountPoint.size() &&
                                     directory.compare(0, mountPoint.size(), mountPoint) == 0 &&
                                     directory[mountPoint.size()] == '/');
}

}  // namespace

std::vector<MountEntry> ParseMounts(std::string_view text) {
  std::vector<MountEntry> mounts;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const auto fields = Fields(text.substr(at, end - at));
    if (fields.size() >= 3 && !fields[0].starts_with("#") && fields[1].starts_with("/")) {
      mounts.push_back(MountEntry{Unescaped(fields[1]), std::string(fields[2])});
    }
    at = end + 1;
  }
  return mounts;
}

int32_t DriveTypeOfFileSystem(std::string_view type) {
  constexpr std::array<std::string_view, 2> kOptical = {"iso9660", "udf"};
  constexpr std::array<std::string_view, 10> kNetwork = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "9p", "afs", "ncpfs"};
  constexpr std::array<std::string_view, 2> kMemory = {"tmpfs", "ramfs"};
  const auto among = [&](const auto& types) {
    return std::find(types.begin(), types.end(), type) != types.end();
  };
  if (among(kOptical)) return drive::kCdRom;
  if (among(kNetwork)) return drive::kRemote;
  if (among(kMemory)) return drive::kRamDisk;
  return drive::kFixed;
}

int32_t DriveTypeOfDirectory(const std::vector<MountEntry>& mounts,
                             const std::string& hostDirectory) {
  const MountEntry* best = nullptr;
  for (const auto& mount : mounts) {
    // Of equal mount points the later one is mounted over the earlier: it is what is seen.
    if (Contains(mount.mountPoint, hostDirectory) &&
        (!best || mount.mountPoint.size() >= best->mountPoint.size())) {
      best = &mount;
    }
  }
  return best ? DriveTypeOfFileSystem(best->type) : drive::kFixed;
}

}  // namespace zarvelin::host
