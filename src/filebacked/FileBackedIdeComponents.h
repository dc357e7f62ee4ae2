#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filebacked/FileBackedIdeComponent.h"
#include "ide/Vbide.h"

namespace zarvelin::filebacked {

// The components of a file-backed project, in the order the project file lists them; files
// added later come last.
class FileBackedComponents : public ide::VBComponents {
 public:
  void Append(std::shared_ptr<FileBackedComponent> component);
  const std::vector<std::shared_ptr<FileBackedComponent>>& All() const { return components_; }

  int32_t Count() override;
  std::shared_ptr<ide::VBComponent> Item(int32_t index) override;
  std::vector<std::shared_ptr<ide::VBComponent>> Enumerate() override;
  void Remove(ide::VBComponent& component) override;
  std::shared_ptr<ide::VBComponent> AddFile(const std::string& path, bool relatedDocument) override;

 private:
  std::vector<std::shared_ptr<FileBackedComponent>> components_;
};

}  // namespace zarvelin::filebacked
