#include "copy/HeldGroup.h"

#include <memory>

#include "runtime/Strings.h"

namespace zarvelin::HeldGroup {
namespace {

// The IDE hands out a fresh object for a project at each call: projects are told apart by file.
size_t IndexOf(const std::vector<std::string>& files, const std::string& file) {
  for (size_t i = 0; i < files.size(); ++i) {
    if (EqualNoCase(files[i], file)) return i;
  }
  return 0;
}

}  // namespace

Held Take(ide::VBE& vbe) {
  ide::VBProjects& projects = vbe.Projects();
  Held held;
  held.groupFile = projects.FileName();
  const int32_t count = projects.Count();
  for (int32_t index = 1; index <= count; ++index) {
    held.projectFiles.push_back(projects.Item(index)->FileName());
    if (held.projectFiles.back().empty() && held.refusal.empty()) {
      held.refusal = "You must save every project of the group before copy.";
    }
  }
  if (!held.refusal.empty()) return held;
  held.startup = IndexOf(held.projectFiles, projects.StartProject()->FileName());
  held.active = IndexOf(held.projectFiles, vbe.ActiveVBProject()->FileName());
  return held;
}

cVBG GroupOf(const Held& held) {
  if (!held.groupFile.empty()) return cVBG::Read(held.groupFile);
  return cVBG::ForProjects(held.projectFiles, held.startup);
}

void Reopen(ide::VBE& vbe, const Held& held) {
  ide::VBProjects& projects = vbe.Projects();
  if (!held.groupFile.empty()) {
    projects.AddFromFile(held.groupFile, true);
  } else {
    for (size_t i = 0; i < held.projectFiles.size(); ++i) {
      projects.AddFromFile(held.projectFiles[i], i == 0);
    }
  }
  std::vector<std::string> reopened;
  const int32_t count = projects.Count();
  for (int32_t index = 1; index <= count; ++index) {
    reopened.push_back(projects.Item(index)->FileName());
  }
  const auto itemOf = [&](size_t heldIndex) {
    return projects.Item(static_cast<int32_t>(IndexOf(reopened, held.projectFiles.at(heldIndex))) +
                         1);
  };
  projects.SetStartProject(itemOf(held.startup));
  vbe.SetActiveVBProject(itemOf(held.active));
}

}  // namespace zarvelin::HeldGroup
