#pragma once

#include <functional>
#include <string>
#include <vector>

#include "project/cVBG.h"

// Copying a project group: every project of the group into a folder of its own, then the group
// file, whose project lines point at the copies. The copy of one project is the caller's (the
// copy engine's), handed in as a callable.
namespace zarvelin::GroupCopy {

// Where one project of the group goes.
struct ProjectTarget {
  std::string folder;
  // The project file the copy leaves there.
  std::string projectFile;
};

// The flat layout: each project in a subfolder of copyDirectory named after its project file's
// base name; a second project of the same name (letter case aside) gets "_2", a third "_3".
std::vector<ProjectTarget> SubfolderTargets(const cVBG& group, const std::string& copyDirectory);

// The kept tree: each project file at its place below root, the lowest folder that holds every
// file the group's copy writes, in copyDirectory.
std::vector<ProjectTarget> TreeTargets(const cVBG& group, const std::string& copyDirectory,
                                       const std::string& root);

// The name of the group file's copy in the copy directory: its own, or its place below root when
// the copy keeps the tree (root not empty).
std::string GroupFileName(const cVBG& group, const std::string& root);

// Why the group cannot be copied to these targets (a missing project file, a target folder that
// holds a project of the group), naming it; empty when it can.
std::string Refusal(const cVBG& group, const std::vector<ProjectTarget>& targets,
                    const std::function<std::string(const std::string&)>& shown = {});

// Copies one project of the group into its target folder; true when the copy finished.
using CopyOneProject =
    std::function<bool(const GroupProject& project, const ProjectTarget& target)>;

struct Outcome {
  bool finished = false;
  // Why the group copy stopped before its first project: a missing project file or a target
  // folder that holds a project of the group. Empty when a project's own copy stopped it (that
  // copy has told why) or when it finished.
  std::string refusal;
  // The projects copied before it stopped, or all of them.
  size_t copied = 0;
};

// Checks every project and target before anything is written, makes each missing target folder
// (unless the projects' copies make their own folders), copies the projects in the group's order
// and, when every one finished, writes the group file at groupFile. It stops at the first project
// whose copy does not finish.
enum class TargetFolders { Make, LeftToTheCopies };
Outcome CopyGroup(const cVBG& group, const std::vector<ProjectTarget>& targets,
                  const std::string& groupFile, const CopyOneProject& copyProject,
                  TargetFolders folders = TargetFolders::Make);

}  // namespace zarvelin::GroupCopy
