#include "cli/ShownPaths.h"

#include <algorithm>
#include <utility>

namespace zarvelin::cli {

ShownPaths::ShownPaths(Given given, std::function<std::string(const std::string&)> toHostPath)
    : given_(std::move(given)), toHostPath_(std::move(toHostPath)) {}

std::string ShownPaths::operator()(const std::string& vbPath) const {
  if (vbPath.empty()) return vbPath;
  if (vbPath == given_.projectFile) return given_.typedProject;
  if (vbPath == given_.copyDirectory) return given_.typedDirectory;
  const std::string& directory = given_.copyDirectory;
  if (directory.empty() || vbPath.size() <= directory.size() + 1 ||
      vbPath.compare(0, directory.size(), directory) != 0 || vbPath[directory.size()] != '\\')
    return toHostPath_(vbPath);
  std::string name = vbPath.substr(directory.size() + 1);
  const std::string& typed = given_.typedDirectory;
  const bool backslashes =
      typed.find('/') == std::string::npos && typed.find('\\') != std::string::npos;
  // A file in a folder of the copy directory (a group's project) is shown with the separator
  // the directory was typed with.
  if (!backslashes) std::replace(name.begin(), name.end(), '\\', '/');
  if (typed.empty()) return name;
  const char last = typed.back();
  if (last == '/' || last == '\\') return typed + name;
  return typed + (backslashes ? "\\" : "/") + name;
}

}  // namespace zarvelin::cli
