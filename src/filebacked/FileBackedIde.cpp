#include "filebacked/FileBackedIde.h"

#include "project/cVBG.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::filebacked {

std::shared_ptr<ide::VBProject> FileBackedProjects::AddFromFile(const std::string& path,
                                                                bool exclusive) {
  std::vector<std::shared_ptr<FileBackedProject>> opened;
  std::shared_ptr<FileBackedProject> startup;
  std::string groupFile;
  if (EqualNoCase(ExtensionOf(FileNameOf(path)), "vbg")) {
    const cVBG group = cVBG::Read(path);
    groupFile = group.VBGFile();
    for (const GroupProject& member : group.Projects()) {
      if (!member.found) throw VbError(vberr::kFileNotFound, member.path);
      opened.push_back(FileBackedProject::Open(member.path));
      if (member.startup) startup = opened.back();
    }
    if (opened.empty()) throw VbError(vberr::kFileNotFound, groupFile + " lists no project");
  } else {
    opened.push_back(FileBackedProject::Open(path));
  }
  if (!startup) startup = opened.front();
  if (exclusive) {
    projects_.clear();
    active_ = nullptr;
    start_ = nullptr;
    groupFile_ = groupFile;
  }
  projects_.insert(projects_.end(), opened.begin(), opened.end());
  if (!active_) active_ = startup;
  if (!start_) start_ = startup;
  return startup;
}

int32_t FileBackedProjects::Count() {
  return static_cast<int32_t>(projects_.size());
}

std::shared_ptr<ide::VBProject> FileBackedProjects::Item(int32_t index) {
  if (index < 1 || static_cast<size_t>(index) > projects_.size()) {
    throw VbError(vberr::kSubscriptOutOfRange);
  }
  return projects_[static_cast<size_t>(index) - 1];
}

std::string FileBackedProjects::FileName() {
  return groupFile_;
}

std::shared_ptr<ide::VBProject> FileBackedProjects::StartProject() {
  if (!start_) throw VbError(vberr::kObjectVariableNotSet);
  return start_;
}

void FileBackedProjects::SetStartProject(const std::shared_ptr<ide::VBProject>& project) {
  start_ = Held(project);
}

void FileBackedProjects::SetActive(const std::shared_ptr<ide::VBProject>& project) {
  active_ = Held(project);
}

std::shared_ptr<FileBackedProject> FileBackedProjects::Held(
    const std::shared_ptr<ide::VBProject>& project) const {
  for (const std::shared_ptr<FileBackedProject>& held : projects_) {
    if (held.get() == project.get()) return held;
  }
  throw VbError(vberr::kInvalidProcedureCall);
}

FileBackedVBE::FileBackedVBE(const IdeConfiguration& configuration)
    : addIns_(configuration.addIns) {}

std::shared_ptr<ide::VBProject> FileBackedVBE::ActiveVBProject() {
  std::shared_ptr<FileBackedProject> active = projects_.Active();
  if (!active) throw VbError(vberr::kObjectVariableNotSet);
  return active;
}

void FileBackedVBE::SetActiveVBProject(const std::shared_ptr<ide::VBProject>& project) {
  projects_.SetActive(project);
}

ide::VBProjects& FileBackedVBE::Projects() {
  return projects_;
}

ide::AddIns& FileBackedVBE::Addins() {
  return addIns_;
}

ide::CommandBars& FileBackedVBE::Bars() {
  return bars_;
}

ide::Events& FileBackedVBE::GetEvents() {
  return events_;
}

std::unique_ptr<FileBackedVBE> OpenFileBackedIde(const std::string& projectFile,
                                                 const IdeConfiguration& configuration) {
  auto vbe = std::make_unique<FileBackedVBE>(configuration);
  vbe->Projects().AddFromFile(projectFile, true);
  return vbe;
}

}  // namespace zarvelin::filebacked
