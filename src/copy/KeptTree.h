#pragma once

#include <functional>
#include <string>
#include <vector>

#include "copy/TreeLayout.h"

// How a copy that keeps the folder tree is laid out, judged from the project files alone: the
// copy and its verification lay it out alike.
namespace zarvelin::copy {

// The files the copies of these projects write, as source paths: each project file, each of its
// components' files (without the related documents that are missing, when those are left out),
// and the extra files (a group file).
std::vector<std::string> TreeSources(const std::vector<std::string>& projectFiles,
                                     const std::vector<std::string>& extraFiles,
                                     bool skipMissingDocs);

// Every file the copies of these projects read: the files they write, as above, and the
// companions their components name, wherever these lie.
std::vector<std::string> FilesReadBy(const std::vector<std::string>& projectFiles,
                                     const std::vector<std::string>& extraFiles);

// The tree those files make below copyDirectory: its root, or why it cannot be kept (see
// TreeLayout::Plan; besides, a copy directory that holds a folder the copy reads from, companions'
// folders included, is refused). Paths in the refusal are shown through shown.
TreeLayout::Layout LayOutTree(const std::vector<std::string>& projectFiles,
                              const std::vector<std::string>& extraFiles,
                              const std::string& copyDirectory, bool skipMissingDocs,
                              const std::function<std::string(const std::string&)>& shown = {});

}  // namespace zarvelin::copy
