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
  // Exclusive: the open projects close and the given one is the only one. Otherwise it joins
  // them and becomes the active project only when none was. A project file that cannot be
  // opened leaves the open projects as they were.
  std::shared_ptr<ide::VBProject> AddFromFile(const std::string& path, bool exclusive) override;

  std::shared_ptr<FileBackedProject> Active() const { return active_; }

 private:
  std::vector<std::shared_ptr<FileBackedProject>> projects_;
  std::shared_ptr<FileBackedProject> active_;
};

// The IDE object of the file-backed IDE.
class FileBackedVBE : public ide::VBE {
 public:
  explicit FileBackedVBE(const IdeConfiguration& configuration);

  std::shared_ptr<ide::VBProject> ActiveVBProject() override;
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

// The file-backed IDE with the project file at projectFile (a VB path) open.
std::unique_ptr<FileBackedVBE> OpenFileBackedIde(const std::string& projectFile,
                                                 const IdeConfiguration& configuration);

}  // namespace zarvelin::filebacked
