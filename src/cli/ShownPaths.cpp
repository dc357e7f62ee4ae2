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
  const std::string name = Name(vbPath.substr(directory.size() + 1));
  const std::string& typed = given_.typedDirectory;
  if (typed.empty()) return name;
  const char last = typed.back();
  if (last == '/' || last == '\\') return typed + name;
  return typed + (TypedWithBackslashes() ? "\\" : "/") + name;
}

std::string ShownPaths::Name(std::string relative) const {
  // A file in a folder of the copy directory (a group's project, a kept tree's file) is shown
  // with the separator the directory was typed with.
  if (!TypedWithBackslashes()) std::replace(relative.begin(), relative.end(), '\\', '/');
  return relative;
}

bool ShownPaths::TypedWithBackslashes() const {
  const std::string& typed = given_.typedDirectory;
  return typed.find('/') == std::string::npos && typed.find('\\') != std::string::npos;
}

}  // namespace zarvelin::cli
