#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "filebacked/FileBackedIdeComponentFile.h"
#include "filebacked/FileBackedIdeHeldText.h"
#include "filebacked/FileBackedIdeProjectFile.h"
#include "ide/Vbide.h"

namespace zarvelin::filebacked {

class StagedFiles;

// One component of a file-backed project. Its current state is its file: saving it writes that
// file, and every companion file it refers to, to the new place and then lives there.
class FileBackedComponent : public ide::VBComponent {
 public:
  // The component that a project file line names; resolved is the line's path resolved against
  // the project's directory, as the project has it already.
  static std::shared_ptr<FileBackedComponent> FromLine(const ComponentLine& line,
                                                       const std::string& lineText,
                                                       const std::string& resolved);
  // A file added to a project, of the kind its extension (and a form's contents) says.
  static std::shared_ptr<FileBackedComponent> FromFile(const std::string& path,
                                                       bool relatedDocument);

  std::string Name() override;
  int32_t Type() override;
  std::string FileNames(int16_t index) override;
  bool SaveAs(const std::string& path) override;
  // Changes made in the IDE and not saved yet; a component read from its file has none.
  bool IsDirty() override { return dirty_; }
  void MarkDirty() { dirty_ = true; }

  // The line that names this component in a project file kept in projectDirectory. The line
  // that named it before is kept byte for byte while it still points to the component's file.
  std::string LineFor(const std::string& projectDirectory) const;
  // Remembers the line that now names the component.
  void NamedBy(const std::string& lineText);

 private:
  FileBackedComponent(ComponentKind kind, std::string file);

  void LearnFromFile();
  // What the component's file says of it: its name and whether a form is an MDI form.
  void Learn(const ComponentFileFacts& facts);
  // text: the component's file as the IDE writes it, each line CR LF ended.
  void StageCodeFiles(const std::string& target, std::string text, StagedFiles& staged) const;

  ComponentKind kind_;
  int32_t type_;
  std::string name_;
  std::string file_;
  std::optional<ComponentLine> line_;
  std::string lineText_;
  HeldText held_;
  bool dirty_ = false;
};

}  // namespace zarvelin::filebacked
