#include "copy/VerifyGroup.h"

#include "copy/FileExists.h"
#include "copy/GroupCopy.h"
#include "copy/KeptTree.h"
#include "copy/VerifyCopy.h"
#include "project/cVBG.h"
#include "runtime/FileSystem.h"
#include "runtime/LineSplitter.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

bool IsProjectLine(const std::string& line) {
  const auto startsWith = [&line](std::string_view key) {
    return line.size() >= key.size() &&
           EqualNoCase(std::string_view(line).substr(0, key.size()), key);
  };
  return startsWith("Project=") || startsWith("StartupProject=");
}

// The group file's lines but its project lines, and how its first line ends.
struct OtherLines {
  std::vector<std::string> lines;
  std::string lineEnd;
};

OtherLines OtherLinesOf(const std::string& file) {
  LineSplitter splitter;
  splitter.Feed(Files().ReadBytes(file));
  splitter.Finish();
  OtherLines other;
  while (std::optional<std::string> line = splitter.Next()) {
    if (!IsProjectLine(*line)) other.lines.push_back(std::move(*line));
  }
  other.lineEnd = splitter.FirstLineEnd();
  return other;
}

// How a path is named in a difference.
class Shown {
 public:
  explicit Shown(const VerifyOptions& options) : options_(options) {}
  std::string operator()(const std::string& path) const {
    return options_.shownPath ? options_.shownPath(path) : path;
  }

 private:
  const VerifyOptions& options_;
};

bool SamePath(const std::string& first, const std::string& second) {
  return EqualNoCase(ResolvePath("", first), ResolvePath("", second));
}

void CompareProjects(const cVBG& source, const cVBG& copied,
                     const std::vector<GroupCopy::ProjectTarget>& targets, const Shown& shown,
                     std::vector<std::string>& differences) {
  const std::vector<GroupProject>& projects = copied.Projects();
  if (projects.size() != targets.size()) {
    differences.push_back("The copied group file " + shown(copied.VBGFile()) + " lists " +
                          std::to_string(projects.size()) + " projects; the group lists " +
                          std::to_string(targets.size()) + ".");
    return;
  }
  for (size_t i = 0; i < projects.size(); ++i) {
    if (!SamePath(projects[i].path, targets[i].projectFile)) {
      differences.push_back("The copied group file's project line " + projects[i].written +
                            " does not point at the copy " + shown(targets[i].projectFile) + ".");
    }
    if (projects[i].startup != source.Projects()[i].startup) {
      differences.push_back("The copied group file starts another project than the group: " +
                            projects[i].written + ".");
    }
  }
}

}  // namespace

std::vector<std::string> VerifyGroup(const std::string& groupFile, const std::string& copyDirectory,
                                     const VerifyOptions& options) {
  const cVBG source = cVBG::Read(groupFile);
  const Shown shown(options);
  std::string root;
  if (options.keepTree) {
    std::vector<std::string> projectFiles;
    for (const GroupProject& project : source.Projects()) projectFiles.push_back(project.path);
    TreeLayout::Layout tree;
    try {
      tree = LayOutTree(projectFiles, {groupFile}, copyDirectory, options.skipMissingDocs,
                        options.shownPath);
    } catch (const VbError& error) {
      return {"The group's projects cannot be read: " + error.Description() + "."};
    }
    if (!tree.refusal.empty()) return {tree.refusal};
    root = tree.root;
  }
  const std::vector<GroupCopy::ProjectTarget> targets =
      options.keepTree ? GroupCopy::TreeTargets(source, copyDirectory, root)
                       : GroupCopy::SubfolderTargets(source, copyDirectory);
  std::vector<std::string> differences;
  for (size_t i = 0; i < targets.size(); ++i) {
    const std::string& projectFile = source.Projects()[i].path;
    const std::vector<std::string> more =
        options.keepTree ? VerifyTreeCopy(projectFile, copyDirectory, root, options)
                         : VerifyCopy(projectFile, targets[i].folder, options);
    differences.insert(differences.end(), more.begin(), more.end());
  }
  const std::string copiedFile = JoinPath(copyDirectory, GroupCopy::GroupFileName(source, root));
  if (!FileExists(copiedFile)) {
    differences.push_back("The group file " + shown(copiedFile) + " is missing.");
    return differences;
  }
  CompareProjects(source, cVBG::Read(copiedFile), targets, shown, differences);
  const OtherLines sourceLines = OtherLinesOf(groupFile);
  const OtherLines copiedLines = OtherLinesOf(copiedFile);
  if (sourceLines.lineEnd != copiedLines.lineEnd) {
    differences.push_back("The copied group file " + shown(copiedFile) +
                          " ends its lines otherwise than the group file.");
  }
  if (sourceLines.lines != copiedLines.lines) {
    differences.push_back("The copied group file " + shown(copiedFile) +
                          " changes lines other than its project lines.");
  }
  return differences;
}

}  // namespace zarvelin::copy
