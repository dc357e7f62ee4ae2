#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filebacked/FileBackedIdeComponents.h"
#include "ide/Vbide.h"
#include "runtime/CodedLine.h"

namespace zarvelin::filebacked {

// A project opened from its .vbp. The project file's lines are kept as read; saving writes them
// back with each component line pointing to where that component now is.
class FileBackedProject : public ide::VBProject {
 public:
  // Reads the project file at path and opens every component it lists.
  static std::shared_ptr<FileBackedProject> Open(const std::string& path);

  std::string FileName() override;
  ide::VBComponents& Components() override;
  void SaveAs(const std::string& path) override;
  // Changes made in the IDE and not saved yet; a project read from its file has none.
  bool IsDirty() override { return dirty_; }
  void MarkDirty() { dirty_ = true; }
  // A project made in the IDE (File, Add Project) and never saved has no file yet.
  void MarkNeverSaved() { file_.clear(); }

 private:
  // A line of the project file; component lines stand for their component.
  struct Line {
    CodedLine coded;
    std::shared_ptr<FileBackedComponent> component;
  };

  std::vector<Line> LinesFor(const std::string& projectDirectory) const;

  std::string file_;
  std::vector<Line> lines_;
  FileBackedComponents components_;
  bool dirty_ = false;
};

}  // namespace zarvelin::filebacked
