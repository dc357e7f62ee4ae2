#include "host/HostApp.h"

#include <unistd.h>

#include <string>

namespace zarvelin::host {
namespace {

// The directory of the running program; the current directory when the host does not say.
std::string ProgramDirectory() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) return ".";
  path.resize(static_cast<size_t>(length));
  const auto slash = path.find_last_of('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

AppFacts HostAppFacts(const PathMapper& paths) {
  AppFacts facts;
  facts.path = paths.ToVb(ProgramDirectory());
  facts.exeName = "Zarvelin";
  return facts;
}

}  // namespace zarvelin::host
