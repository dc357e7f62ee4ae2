#include "copy/TreeLayout.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <string_view>

#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::TreeLayout {
namespace {

// A resolved path cut into its root and the names below it.
struct Steps {
  std::string root;
  std::vector<std::string> names;
};

Steps StepsOf(const std::string& path) {
  Steps steps{RootOf(path), {}};
  const std::string_view rest = std::string_view(path).substr(steps.root.size());
  size_t start = 0;
  while (start <= rest.size()) {
    const size_t end = std::min(rest.find('\\', start), rest.size());
    if (end > start) steps.names.emplace_back(rest.substr(start, end - start));
    start = end + 1;
  }
  return steps;
}

std::string Joined(const std::string& root, const std::vector<std::string>& names, size_t count) {
  std::string path = root == "\\" ? "" : root;
  for (size_t i = 0; i < count; ++i) path += "\\" + names[i];
  return path.empty() ? root : path;
}

// The root most sources lie under; the first source's among equals.
std::string CommonRoot(const std::vector<Steps>& folders) {
  std::map<std::string, size_t> counts;
  for (const Steps& folder : folders) ++counts[UpperAscii(folder.root)];
  std::string best = folders.front().root;
  for (const Steps& folder : folders) {
    if (counts[UpperAscii(folder.root)] > counts[UpperAscii(best)]) best = folder.root;
  }
  return best;
}

}  // namespace

bool IsWithin(const std::string& path, const std::string& folder) {
  const Steps inner = StepsOf(ResolvePath("", path));
  const Steps outer = StepsOf(ResolvePath("", folder));
  if (!EqualNoCase(inner.root, outer.root) || inner.names.size() < outer.names.size()) {
    return false;
  }
  return std::equal(outer.names.begin(), outer.names.end(), inner.names.begin(), EqualNoCase);
}

Layout Plan(const std::vector<std::string>& sources, const std::string& copyDirectory,
            const std::function<std::string(const std::string&)>& shown) {
  const auto show = [&shown](const std::string& path) { return shown ? shown(path) : path; };
  Layout layout;
  if (sources.empty()) return layout;
  std::vector<std::string> files;
  std::vector<Steps> folders;
  for (const std::string& source : sources) {
    files.push_back(ResolvePath("", source));
    folders.push_back(StepsOf(DirectoryOf(files.back())));
  }
  const std::string root = CommonRoot(folders);
  for (size_t i = 0; i < files.size(); ++i) {
    if (!EqualNoCase(folders[i].root, root)) {
      layout.refusal = show(sources[i]) + " is on another drive than the other files of the copy.";
      return layout;
    }
  }
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string folder = DirectoryOf(files[i]);
    if (IsWithin(copyDirectory, folder)) {
      layout.refusal = "The copy directory " + show(copyDirectory) + " is or lies inside " +
                       show(folder) + ", which the copy reads from.";
      return layout;
    }
  }
  // The lowest folder holding them all: the names every folder starts with.
  const std::vector<std::string>& first = folders.front().names;
  size_t common = first.size();
  for (const Steps& folder : folders) {
    size_t same = 0;
    while (same < common && same < folder.names.size() &&
           EqualNoCase(first[same], folder.names[same])) {
      ++same;
    }
    common = same;
  }
  layout.root = Joined(folders.front().root, first, common);
  // Copied into the very folder that holds them all, every file would land on itself.
  if (IsWithin(copyDirectory, layout.root) && IsWithin(layout.root, copyDirectory)) {
    layout.refusal = "The copy directory " + show(copyDirectory) +
                     " is the folder that holds every file the copy reads from.";
    layout.root.clear();
    return layout;
  }
  Placer placer(layout.root);
  const std::string target = ResolvePath("", copyDirectory);
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string relative = placer.RelativeOf(files[i]);
    layout.placements.push_back({sources[i], relative, JoinPath(target, relative)});
  }
  return layout;
}

Placer::Placer(const std::string& root) {
  const Steps steps = StepsOf(ResolvePath("", root));
  root_ = steps.root;
  rootNames_ = steps.names;
}

std::string Placer::RelativeOf(const std::string& file) {
  const Steps steps = StepsOf(ResolvePath("", file));
  if (!EqualNoCase(steps.root, root_) || steps.names.size() <= rootNames_.size() ||
      !std::equal(rootNames_.begin(), rootNames_.end(), steps.names.begin(), EqualNoCase)) {
    return {};
  }
  std::string relative;
  for (size_t step = rootNames_.size(); step + 1 < steps.names.size(); ++step) {
    const std::string folder = relative + steps.names[step];
    relative = spellings_.try_emplace(UpperAscii(folder), folder).first->second + "\\";
  }
  return relative + steps.names.back();
}

void MakeFolders(const std::string& folder) {
  const Steps steps = StepsOf(ResolvePath("", folder));
  for (size_t count = 1; count <= steps.names.size(); ++count) {
    const std::string path = Joined(steps.root, steps.names, count);
    try {
      if ((Files().Attributes(path) & fileattr::kDirectory) != 0) continue;
    } catch (const VbError& error) {
      if (error.Number() != vberr::kFileNotFound && error.Number() != vberr::kPathNotFound) throw;
    }
    Files().MakeDirectory(path);
  }
}

}  // namespace zarvelin::TreeLayout
