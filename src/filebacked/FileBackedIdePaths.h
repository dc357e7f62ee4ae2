#pragma once

#include <string>
#include <string_view>

#include "runtime/VbPath.h"

// VB-style path arithmetic for the file-backed IDE: "\" separates, a colon ends a drive prefix,
// "\\server\share" starts a network path. Letter case never matters when comparing, as on Windows.
namespace zarvelin::filebacked {

// Everything before the last backslash ("C:" for "C:\App.vbp", empty for a bare name).
std::string DirectoryOf(std::string_view path);
// Everything after the last backslash.
std::string FileNameOf(std::string_view path);
// The file name without its last extension ("Main" for "Main.frm"; "Main" for "Main").
std::string BaseNameOf(std::string_view fileName);
// The last extension without its dot ("frm" for "Main.frm"; empty when there is none).
std::string ExtensionOf(std::string_view fileName);

// Where a path written in a project or component file points, read as VB reads it: relative to
// the base directory, "..\" steps climbing (never above a root), "\" meaning the base's root, and
// a drive or a network prefix making the path absolute. The result has no "." or ".." steps.
std::string ResolvePath(std::string_view baseDirectory, std::string_view path);

// The path by which a file in fromDirectory would name target, as VB writes it into a project
// file: the bare file name beside it, "Sub\File" below it, "..\" steps elsewhere on the same
// root, and the full path on another drive or share. Both arguments are resolved paths.
std::string RelativePath(std::string_view fromDirectory, std::string_view target);

}  // namespace zarvelin::filebacked
