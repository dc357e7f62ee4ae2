#include "copy/KeptTree.h"

#include "copy/CompanionReferencesIn.h"
#include "copy/FileExists.h"
#include "copy/ProjectFileLines.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The files a copy writes and, beside them, every file it reads: the companions a component
// names may lie in other folders.
struct TreeFiles {
  std::vector<std::string> written;
  std::vector<std::string> read;
};

TreeFiles FilesOf(const std::vector<std::string>& projectFiles,
                  const std::vector<std::string>& extraFiles, bool skipMissingDocs) {
  TreeFiles files;
  for (const std::string& projectFile : projectFiles) {
    files.written.push_back(projectFile);
    const std::string folder = DirectoryOf(projectFile);
    for (const ComponentLine& line : ReadProjectLines(Files().ReadBytes(projectFile)).components) {
      const std::string file = ResolvePath(folder, line.path);
      const bool leftOut = skipMissingDocs && line.kind->type == ide::component::kRelatedDocument &&
                           !FileExists(file);
      if (leftOut) continue;
      files.written.push_back(file);
      if (!line.kind->namedByKey && !line.kind->namedByFile) continue;
      for (const std::string& companion : CompanionReferencesIn(file)) {
        files.read.push_back(ResolvePath(DirectoryOf(file), companion));
      }
    }
  }
  files.written.insert(files.written.end(), extraFiles.begin(), extraFiles.end());
  files.read.insert(files.read.end(), files.written.begin(), files.written.end());
  return files;
}

}  // namespace

std::vector<std::string> FilesReadBy(const std::vector<std::string>& projectFiles,
                                     const std::vector<std::string>& extraFiles) {
  return FilesOf(projectFiles, extraFiles, false).read;
}

TreeLayout::Layout LayOutTree(const std::vector<std::string>& projectFiles,
                              const std::vector<std::string>& extraFiles,
                              const std::string& copyDirectory, bool skipMissingDocs,
                              const std::function<std::string(const std::string&)>& shown) {
  const TreeFiles files = FilesOf(projectFiles, extraFiles, skipMissingDocs);
  TreeLayout::Layout layout = TreeLayout::Plan(files.written, copyDirectory, shown);
  if (!layout.refusal.empty()) return layout;
  // Every folder of the copy lies in the copy directory: one the copy reads from there could
  // receive a file over a source, from another project of a group or through another folder.
  for (const std::string& file : files.read) {
    const std::string folder = DirectoryOf(file);
    if (TreeLayout::IsWithin(folder, copyDirectory)) {
      const auto show = [&shown](const std::string& path) { return shown ? shown(path) : path; };
      layout.refusal = "The copy directory " + show(copyDirectory) + " holds " + show(folder) +
                       ", which the copy reads from.";
      layout.root.clear();
      layout.placements.clear();
      return layout;
    }
  }
  return layout;
}

}  // namespace zarvelin::copy
