#include "copy/KeptTree.h"

#include "copy/FileExists.h"
#include "copy/ProjectFileLines.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {

std::vector<std::string> TreeSources(const std::vector<std::string>& projectFiles,
                                     const std::vector<std::string>& extraFiles,
                                     bool skipMissingDocs) {
  std::vector<std::string> sources;
  for (const std::string& projectFile : projectFiles) {
    sources.push_back(projectFile);
    const std::string folder = DirectoryOf(projectFile);
    for (const ComponentLine& line : ReadProjectLines(Files().ReadBytes(projectFile)).components) {
      const std::string file = ResolvePath(folder, line.path);
      const bool leftOut = skipMissingDocs && line.kind->type == ide::component::kRelatedDocument &&
                           !FileExists(file);
      if (!leftOut) sources.push_back(file);
    }
  }
  sources.insert(sources.end(), extraFiles.begin(), extraFiles.end());
  return sources;
}

TreeLayout::Layout LayOutTree(const std::vector<std::string>& projectFiles,
                              const std::vector<std::string>& extraFiles,
                              const std::string& copyDirectory, bool skipMissingDocs,
                              const std::function<std::string(const std::string&)>& shown) {
  return TreeLayout::Plan(TreeSources(projectFiles, extraFiles, skipMissingDocs), copyDirectory,
                          shown);
}

}  // namespace zarvelin::copy
