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

// VB-style path arithmetic, as VB reads and writes the paths of project and component files:
// "\" separates, a colon ends a drive prefix, "\\server\share" starts a network path. Letter case
// never matters when comparing, as on Windows.

// Everything before the last backslash ("C:" for "C:\App.vbp", empty for a bare name).
std::string DirectoryOf(std::string_view path);
// Everything after the last backslash.
std::string FileNameOf(std::string_view path);
// The file name without its last extension ("Main" for "Main.frm"; "Main" for "Main").
std::string BaseNameOf(std::string_view fileName);
// The last extension without its dot ("frm" for "Main.frm"; empty when there is none).
std::string ExtensionOf(std::string_view fileName);

// A path as a project file writes it, without the quotes around it, if it has a pair.
std::string_view UnquotedPath(std::string_view written);

// Where a path written in a project, group or component file points, read as VB reads it:
// relative to the base directory, "..\" steps climbing (never above a root), "\" meaning the
// base's root, and a drive or a network prefix making the path absolute. The result has no "." or
// ".." steps.
std::string ResolvePath(std::string_view baseDirectory, std::string_view path);

// The path by which a file in fromDirectory would name target, as VB writes it into a project
// file: the bare file name beside it, "Sub\File" below it, "..\" steps elsewhere on the same
// root, and the full path on another drive or share. Both arguments are resolved paths.
std::string RelativePath(std::string_view fromDirectory, std::string_view target);

// The root of a resolved path: "C:", "\\server\share", "\" for a path from the current drive's
// root, empty for a relative path.
std::string RootOf(std::string_view path);

}  // namespace zarvelin
