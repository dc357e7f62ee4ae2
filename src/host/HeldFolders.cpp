#include "host/HeldFolders.h"

#include "runtime/Strings.h"

namespace zarvelin::host {
namespace {

// Whether hostFolder lies under hostDirectory through a step named `name`, letter case aside.
bool StepsThrough(const std::string& hostFolder, std::string_view hostDirectory,
                  std::string_view name) {
  const std::string_view folder = hostFolder;
  const size_t start = hostDirectory == "/" ? 1 : hostDirectory.size() + 1;
  if (folder.size() < start || !folder.starts_with(hostDirectory) || folder[start - 1] != '/') {
    return false;
  }
  const std::string_view step = folder.substr(start, folder.find('/', start) - start);
  return EqualNoCase(step, name);
}

}  // namespace

std::shared_ptr<const std::string> HeldFolders::Find(std::string_view vbFolder) {
  const std::lock_guard lock(mutex_);
  const auto found = hosts_.find(vbFolder);
  return found == hosts_.end() ? nullptr : found->second;
}

void HeldFolders::Keep(std::string_view vbFolder, std::string hostFolder) {
  const std::lock_guard lock(mutex_);
  hosts_.insert_or_assign(std::string(vbFolder),
                          std::make_shared<const std::string>(std::move(hostFolder)));
}

void HeldFolders::Changed(std::string_view hostDirectory, std::string_view name) {
  const std::lock_guard lock(mutex_);
  std::erase_if(hosts_,
                [&](const auto& kept) { return StepsThrough(*kept.second, hostDirectory, name); });
}

void HeldFolders::Clear() {
  const std::lock_guard lock(mutex_);
  hosts_.clear();
}

}  // namespace zarvelin::host
