#include "filebacked/FileBackedIdeAddIns.h"

#include <utility>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::filebacked {

FileBackedAddIn::FileBackedAddIn(AddInEntry entry) : entry_(std::move(entry)) {}

std::string FileBackedAddIn::ProgId() {
  return entry_.progId;
}

bool FileBackedAddIn::Connect() {
  return entry_.connected;
}

void FileBackedAddIn::SetConnect(bool connect) {
  entry_.connected = connect;
  changes_.push_back(connect);
}

FileBackedAddIns::FileBackedAddIns(const std::vector<AddInEntry>& entries) {
  for (const AddInEntry& entry : entries) {
    addIns_.push_back(std::make_shared<FileBackedAddIn>(entry));
  }
}

int32_t FileBackedAddIns::Count() {
  return static_cast<int32_t>(addIns_.size());
}

std::shared_ptr<ide::AddIn> FileBackedAddIns::Item(int32_t index) {
  if (index < 1 || index > Count()) throw VbError(vberr::kSubscriptOutOfRange);
  return addIns_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<FileBackedAddIn> FileBackedAddIns::Find(const std::string& progId) const {
  for (const std::shared_ptr<FileBackedAddIn>& addIn : addIns_) {
    if (EqualNoCase(addIn->ProgId(), progId)) return addIn;
  }
  return nullptr;
}

}  // namespace zarvelin::filebacked
