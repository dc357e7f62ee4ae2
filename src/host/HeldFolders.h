#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "runtime/StringKeys.h"

namespace zarvelin::host {

// The host directory of each VB folder already mapped while listings are held, by the folder's
// text as given: a copy maps thousands of paths that lie in a few folders, and reading each
// folder's steps again for every file would cost more than the file's own work. Only folders that
// exist are kept; an entry this process adds or removes beside a step of a kept folder drops
// that folder, since the step may now be spelled otherwise or be gone.
class HeldFolders {
 public:
  // Shared rather than copied: every path of a copy looks its folder up here.
  std::shared_ptr<const std::string> Find(std::string_view vbFolder);
  void Keep(std::string_view vbFolder, std::string hostFolder);
  // The entry `name` of hostDirectory was added or removed.
  void Changed(std::string_view hostDirectory, std::string_view name);
  void Clear();

 private:
  std::mutex mutex_;
  StringMap<std::shared_ptr<const std::string>> hosts_;
};

}  // namespace zarvelin::host
