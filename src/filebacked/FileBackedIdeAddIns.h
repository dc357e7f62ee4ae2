#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ide/Vbide.h"

namespace zarvelin::filebacked {

// One installed add-in as the configuration lists it.
struct AddInEntry {
  std::string progId;
  bool connected = false;
};

// An installed add-in; every change of its connection is kept, so that one can tell afterwards
// what was done to it and in which order.
class FileBackedAddIn : public ide::AddIn {
 public:
  explicit FileBackedAddIn(AddInEntry entry);

  std::string ProgId() override;
  bool Connect() override;
  void SetConnect(bool connect) override;

  // The values Connect was set to, in order.
  const std::vector<bool>& ConnectChanges() const { return changes_; }

 private:
  AddInEntry entry_;
  std::vector<bool> changes_;
};

class FileBackedAddIns : public ide::AddIns {
 public:
  explicit FileBackedAddIns(const std::vector<AddInEntry>& entries);

  int32_t Count() override;
  std::shared_ptr<ide::AddIn> Item(int32_t index) override;

  // The add-in of that ProgID (letter case aside), or null.
  std::shared_ptr<FileBackedAddIn> Find(const std::string& progId) const;

 private:
  std::vector<std::shared_ptr<FileBackedAddIn>> addIns_;
};

}  // namespace zarvelin::filebacked
