#pragma once

#include <string>
#include <string_view>

namespace zarvelin::ProjectPaths {

// The path routines behind cVBP's component readers. Paths are VB-style: "\" separates, a colon
// ends a drive prefix, directories carry no trailing backslash. Each routine that traps reports
// under module "cVBP" and its own name, then returns an empty string.

// The directory part: up to and including the last ":", or up to the last "\" (left off); empty
// with neither. Traps nothing: a failure goes to the caller.
std::string GetDirectoryPart(std::string_view path);

// Everything after the last "\"; the whole path without one.
std::string GetFileName(std::string_view path);

// The absolute directory of a component written as componentPath (unquoted) in a project file
// whose directory is projectDirectory. Traps nothing: no step of it can fail.
std::string GetFullPath(std::string_view projectDirectory, std::string_view componentPath);

// The name a component file declares on its "Attribute VB_Name" line. Sets refersToCompanion
// (never clears it) when a line up to and including that one mentions the companion extension.
std::string GetComponentName(const std::string& filePath, std::string_view extension,
                             bool& refersToCompanion);

}  // namespace zarvelin::ProjectPaths
