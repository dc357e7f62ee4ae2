#include "filebacked/FileBackedIde.h"

#include "runtime/VbError.h"

namespace zarvelin::filebacked {

std::shared_ptr<ide::VBProject> FileBackedProjects::AddFromFile(const std::string& path,
                                                                bool exclusive) {
  std::shared_ptr<FileBackedProject> project = FileBackedProject::Open(path);
  if (exclusive) {
    projects_.clear();
    active_ = nullptr;
  }
  projects_.push_back(project);
  if (!active_) active_ = project;
  return project;
}

FileBackedVBE::FileBackedVBE(const IdeConfiguration& configuration)
    : addIns_(configuration.addIns) {}

std::shared_ptr<ide::VBProject> FileBackedVBE::ActiveVBProject() {
  std::shared_ptr<FileBackedProject> active = projects_.Active();
  if (!active) throw VbError(vberr::kObjectVariableNotSet);
  return active;
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
