#pragma once

#include <string>

namespace zarvelin::copy {

class CopySafeguard;

// What a copy is asked to do. The directories have no trailing backslash (a drive root is the
// drive alone, "D:"); the caller has validated them.
struct CopyRequest {
  std::string copyDirectory;
  std::string projectDirectory;
  std::string projectFileName;
  // The source folder whose tree the copy keeps: every file goes to its place below this folder,
  // under copyDirectory. Empty for a flat copy, every file by its name in copyDirectory.
  std::string treeRoot;
  // Missing related documents are left out of the copied project file instead of stopping it.
  bool skipMissingDocs = false;
  // The source project is opened again at the end, as the copy's save left the IDE holding the
  // copy; a group copy reopens the whole group itself once every project is copied.
  bool reopenSource = true;
  // What makes the copy all or nothing; the default one when not given.
  CopySafeguard* safeguard = nullptr;
};

}  // namespace zarvelin::copy
