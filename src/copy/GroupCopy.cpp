#include "copy/GroupCopy.h"

#include "copy/KeptTree.h"
#include "copy/TreeLayout.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::GroupCopy {
namespace {

bool SameFolder(const std::string& first, const std::string& second) {
  return EqualNoCase(ResolvePath("", first), ResolvePath("", second));
}

}  // namespace

std::string Refusal(const cVBG& group, const std::vector<ProjectTarget>& targets,
                    const std::function<std::string(const std::string&)>& shown) {
  const auto show = [&shown](const std::string& path) { return shown ? shown(path) : path; };
  const std::vector<GroupProject>& projects = group.Projects();
  for (const GroupProject& project : projects) {
    if (!project.found) {
      return "The project file\r\n" + show(project.path) + "\r\nof the group does not exist.";
    }
  }
  for (const ProjectTarget& target : targets) {
    for (const GroupProject& project : projects) {
      if (SameFolder(target.folder, DirectoryOf(project.path))) {
        return "The copy directory\r\n" + show(target.folder) + "\r\nholds the project\r\n" +
               show(project.path) + "\r\nof the group.";
      }
    }
  }
  if (targets.empty()) return {};
  // Each project's copy keeps clear of its own sources in its folder, but not of another's: a
  // module of one project lying in another's folder would be written over.
  std::vector<std::string> projectFiles;
  for (const GroupProject& project : projects) projectFiles.push_back(project.path);
  for (const std::string& file : copy::FilesReadBy(projectFiles, {group.VBGFile()})) {
    for (const ProjectTarget& target : targets) {
      if (SameFolder(target.folder, DirectoryOf(file))) {
        return "The copy directory\r\n" + show(target.folder) + "\r\nholds\r\n" + show(file) +
               ",\r\nwhich the copy of the group reads from.";
      }
    }
  }
  return {};
}

std::vector<ProjectTarget> SubfolderTargets(const cVBG& group, const std::string& copyDirectory) {
  std::vector<ProjectTarget> targets;
  std::vector<std::string> taken;
  const auto isTaken = [&taken](const std::string& name) {
    for (const std::string& other : taken) {
      if (EqualNoCase(other, name)) return true;
    }
    return false;
  };
  for (const GroupProject& project : group.Projects()) {
    const std::string base = BaseNameOf(FileNameOf(project.path));
    std::string name = base;
    for (int suffix = 2; isTaken(name); ++suffix) name = base + "_" + std::to_string(suffix);
    taken.push_back(name);
    const std::string folder = JoinPath(copyDirectory, name);
    targets.push_back({folder, JoinPath(folder, FileNameOf(project.path))});
  }
  return targets;
}

std::vector<ProjectTarget> TreeTargets(const cVBG& group, const std::string& copyDirectory,
                                       const std::string& root) {
  TreeLayout::Placer placer(root);
  std::vector<ProjectTarget> targets;
  for (const GroupProject& project : group.Projects()) {
    const std::string projectFile = JoinPath(copyDirectory, placer.RelativeOf(project.path));
    targets.push_back({DirectoryOf(projectFile), projectFile});
  }
  return targets;
}

std::string GroupFileName(const cVBG& group, const std::string& root) {
  if (root.empty()) return FileNameOf(group.VBGFile());
  return TreeLayout::Placer(root).RelativeOf(group.VBGFile());
}

Outcome CopyGroup(const cVBG& group, const std::vector<ProjectTarget>& targets,
                  const std::string& groupFile, const CopyOneProject& copyProject,
                  TargetFolders folders) {
  const std::vector<GroupProject>& projects = group.Projects();
  if (targets.size() != projects.size()) throw VbError(vberr::kInvalidProcedureCall);
  Outcome outcome;
  outcome.refusal = Refusal(group, targets);
  if (!outcome.refusal.empty()) return outcome;
  if (folders == TargetFolders::Make) {
    for (const ProjectTarget& target : targets) TreeLayout::MakeFolders(target.folder);
  }
  for (size_t i = 0; i < projects.size(); ++i) {
    if (!copyProject(projects[i], targets[i])) return outcome;
    ++outcome.copied;
  }
  std::vector<std::string> copies;
  for (const ProjectTarget& target : targets) copies.push_back(target.projectFile);
  group.SaveAs(groupFile, copies);
  outcome.finished = true;
  return outcome;
}

}  // namespace zarvelin::GroupCopy
