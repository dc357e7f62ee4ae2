#include "copy/VerifyGroup.h"

#include "copy/FileExists.h"
#include "copy/GroupCopy.h"
#include "project/cVBG.h"
#include "runtime/FileSystem.h"
#include "runtime/LineSplitter.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
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

bool SamePath(const std::string& first, const std::string& second) {
  return EqualNoCase(ResolvePath("", first), ResolvePath("", second));
}

void CompareProjects(const cVBG& source, const cVBG& copied,
                     const std::vector<GroupCopy::ProjectTarget>& targets,
                     std::vector<std::string>& differences) {
  const std::vector<GroupProject>& projects = copied.Projects();
  if (projects.size() != targets.size()) {
    differences.push_back("The copied group file " + copied.VBGFile() + " lists " +
                          std::to_string(projects.size()) + " projects; the group lists " +
                          std::to_string(targets.size()) + ".");
    return;
  }
  for (size_t i = 0; i < projects.size(); ++i) {
    if (!SamePath(projects[i].path, targets[i].projectFile)) {
      differences.push_back("The copied group file's project line " + projects[i].written +
                            " does not point at the copy " + targets[i].projectFile + ".");
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
  const std::vector<GroupCopy::ProjectTarget> targets =
      GroupCopy::SubfolderTargets(source, copyDirectory);
  std::vector<std::string> differences;
  for (size_t i = 0; i < targets.size(); ++i) {
    const std::vector<std::string> more =
        VerifyCopy(source.Projects()[i].path, targets[i].folder, options);
    differences.insert(differences.end(), more.begin(), more.end());
  }
  const std::string copiedFile = JoinPath(copyDirectory, FileNameOf(groupFile));
  if (!FileExists(copiedFile)) {
    differences.push_back("The group file " + copiedFile + " is missing.");
    return differences;
  }
  CompareProjects(source, cVBG::Read(copiedFile), targets, differences);
  const OtherLines sourceLines = OtherLinesOf(groupFile);
  const OtherLines copiedLines = OtherLinesOf(copiedFile);
  if (sourceLines.lineEnd != copiedLines.lineEnd) {
    differences.push_back("The copied group file " + copiedFile +
                          " ends its lines otherwise than the group file.");
  }
  if (sourceLines.lines != copiedLines.lines) {
    differences.push_back("The copied group file " + copiedFile +
                          " changes lines other than its project lines.");
  }
  return differences;
}

}  // namespace zarvelin::copy
