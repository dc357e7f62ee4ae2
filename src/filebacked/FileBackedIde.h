#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filebacked/FileBackedIdeAddIns.h"
#include "filebacked/FileBackedIdeCommandBars.h"
#include "filebacked/FileBackedIdeProject.h"
#include "ide/Vbide.h"

namespace zarvelin::filebacked {

// What the file-backed IDE is set up with besides its project.
struct IdeConfiguration {
  std::vector<AddInEntry> addIns;
};

class FileBackedProjects : public ide::VBProjects {
 public:
  // Exclusive: the open projects close and the given one (or the group's projects) are the only
  // ones. Otherwise they join them, in the group's order. The project, or the group's start-up
  // project, becomes the active and the start-up project where none was, and is the answer. A
  // project or group file that cannot be opened, or a group naming a missing project, leaves the
  // open projects as they were.
  std::shared_ptr<ide::VBProject> AddFromFile(const std::string& path, bool exclusive) override;
  int32_t Count() override;
  std::shared_ptr<ide::VBProject> Item(int32_t index) override;
  std::string FileName() override;
  std::shared_ptr<ide::VBProject> StartProject() override;
  void SetStartProject(const std::shared_ptr<ide::VBProject>& project) override;

  std::shared_ptr<FileBackedProject> Active() const { return active_; }
  // Makes a project held the active one; any other fails with 5 (invalid procedure call).
  void SetActive(const std::shared_ptr<ide::VBProject>& project);

 private:
  std::shared_ptr<FileBackedProject> Held(const std::shared_ptr<ide::VBProject>& project) const;

  std::vector<std::shared_ptr<FileBackedProject>> projects_;
  std::shared_ptr<FileBackedProject> active_;
  std::shared_ptr<FileBackedProject> start_;
  std::string groupFile_;
};

// The IDE object of the file-backed IDE.
class FileBackedVBE : public ide::VBE {
 public:
  explicit FileBackedVBE(const IdeConfiguration& configuration);

  std::shared_ptr<ide::VBProject> ActiveVBProject() override;
  void SetActiveVBProject(const std::shared_ptr<ide::VBProject>& project) override;
  ide::VBProjects& Projects() override;
  ide::AddIns& Addins() override;
  ide::CommandBars& Bars() override;
  ide::Events& GetEvents() override;

  FileBackedAddIns& InstalledAddIns() { return addIns_; }
  FileBackedCommandBars& CommandBarSet() { return bars_; }

 private:
  FileBackedProjects projects_;
  FileBackedAddIns addIns_;
  FileBackedCommandBars bars_;
  FileBackedEvents events_;
};

// The file-backed IDE with the project file (or the group file) at projectFile (a VB path) open.
std::unique_ptr<FileBackedVBE> OpenFileBackedIde(const std::string& projectFile,
                                                 const IdeConfiguration& configuration);

}  // namespace zarvelin::filebacked
