#pragma once

#include <string>
#include <string_view>

namespace zarvelin {

// Paths are UTF-8, where no byte of a character outside ASCII is 0x5C: cutting a path at its
// backslash bytes cuts it at its backslash characters, in names from any code page.
// A file path is always joined as directory, "\", file name; a drive root is held as the drive
// alone ("D:"), so "D:" and "x.frm" make "D:\x.frm". An empty directory leaves the name alone.
inline std::string JoinPath(std::string_view directory, std::string_view name) {
  if (directory.empty()) return std::string(name);
  std::string path;
  path.reserve(directory.size() + 1 + name.size());
  path.append(directory).append(1, '\\').append(name);
  return path;
}

}  // namespace zarvelin
