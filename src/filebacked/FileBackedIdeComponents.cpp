#include "filebacked/FileBackedIdeComponents.h"

#include <algorithm>
#include <utility>

#include "runtime/VbError.h"

namespace zarvelin::filebacked {

void FileBackedComponents::Append(std::shared_ptr<FileBackedComponent> component) {
  components_.push_back(std::move(component));
}

int32_t FileBackedComponents::Count() {
  return static_cast<int32_t>(components_.size());
}

std::shared_ptr<ide::VBComponent> FileBackedComponents::Item(int32_t index) {
  if (index < 1 || index > Count()) throw VbError(vberr::kSubscriptOutOfRange);
  return components_[static_cast<size_t>(index - 1)];
}

std::vector<std::shared_ptr<ide::VBComponent>> FileBackedComponents::Enumerate() {
  return {components_.begin(), components_.end()};
}

void FileBackedComponents::Remove(ide::VBComponent& component) {
  const auto held = std::find_if(components_.begin(), components_.end(),
                                 [&](const auto& each) { return each.get() == &component; });
  if (held == components_.end()) throw VbError(vberr::kInvalidProcedureCall);
  components_.erase(held);
}

std::shared_ptr<ide::VBComponent> FileBackedComponents::AddFile(const std::string& path,
                                                                bool relatedDocument) {
  std::shared_ptr<FileBackedComponent> added = FileBackedComponent::FromFile(path, relatedDocument);
  components_.push_back(added);
  return added;
}

}  // namespace zarvelin::filebacked
