#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// Where a copy that keeps the folder tree puts each file: the lowest folder that holds every file
// the copy writes becomes the copy directory, and each file keeps its place below that folder.
// Paths are VB paths; folders compare without regard to letter case, as on Windows.
namespace zarvelin::TreeLayout {

struct Placement {
  // The file as the copy reads it.
  std::string source;
  // Its place below the copy directory ("Common\mShared.bas").
  std::string relative;
  // Its place in the copy directory.
  std::string target;
};

struct Layout {
  // Empty when the tree can be kept; otherwise why not in one sentence, naming the file or the
  // folder.
  std::string refusal;
  // The lowest folder that holds every source.
  std::string root;
  // One per source, in the order given.
  std::vector<Placement> placements;
};

// The layout of sources (every file the copy writes, as source paths) under copyDirectory. A
// source on another drive or share than most of them is refused, and so is a copy directory that
// is, or lies inside, a folder the copy reads from.
// Paths in the refusal are shown through shown, when given.
Layout Plan(const std::vector<std::string>& sources, const std::string& copyDirectory,
            const std::function<std::string(const std::string&)>& shown = {});

// Each file's place below a root, one folder spelt two ways being one folder on Windows: every
// file goes where the first spelling put it, so a host that tells letter case apart makes one
// folder too.
class Placer {
 public:
  explicit Placer(const std::string& root);
  // The place of file below the root ("Common\mShared.bas"); empty when it lies outside.
  std::string RelativeOf(const std::string& file);

 private:
  std::string root_;
  std::vector<std::string> rootNames_;
  std::map<std::string, std::string> spellings_;
};

// Whether path is folder or lies inside it.
bool IsWithin(const std::string& path, const std::string& folder);

// Makes folder and every folder above it that does not exist yet.
void MakeFolders(const std::string& folder);

}  // namespace zarvelin::TreeLayout
