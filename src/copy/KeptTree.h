#pragma once

#include <functional>
#include <string>
#include <vector>

#include "copy/TreeLayout.h"

// How a copy that keeps the folder tree is laid out, judged from the project files alone: the
// copy and its verification lay it out alike.
namespace zarvelin::copy {

// Every file the copies of these projects read: each project file, each of its components' files,
// the extra files (a group file), and the companions the components name, wherever these lie.
std::vector<std::string> FilesReadBy(const std::vector<std::string>& projectFiles,
                                     const std::vector<std::string>& extraFiles);

// The tree that the files these copies write make below copyDirectory: each project file, each
// component's file (without the related documents that are missing, when those are left out) and
// the extra files. Its root, or why it cannot be kept (see TreeLayout::Plan; besides, a copy
// directory that holds a folder the copy reads from, companions' folders included, is refused).
// Paths in the refusal are shown through shown.
TreeLayout::Layout LayOutTree(const std::vector<std::string>& projectFiles,
                              const std::vector<std::string>& extraFiles,
                              const std::string& copyDirectory, bool skipMissingDocs,
                              const std::function<std::string(const std::string&)>& shown = {});

}  // namespace zarvelin::copy
