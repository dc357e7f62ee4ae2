#include "project/cVBG.h"

#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin {
namespace {

constexpr std::string_view kHeader = "VBGROUP";
constexpr std::string_view kStartupKey = "StartupProject";
constexpr std::string_view kProjectKey = "Project";
constexpr int32_t kInvalidFileFormat = 321;

// VB finds a project file whatever the letter case of its name; hidden and system files count.
bool ProjectFileExists(const std::string& path) {
  if (FileNameOf(path).empty()) return false;
  try {
    return !Files().FindFirst(path, fileattr::kHidden | fileattr::kSystem).empty();
  } catch (const VbError&) {
    return false;
  }
}

std::string_view KeyOf(std::string_view text) {
  const size_t equals = text.find('=');
  return equals == std::string_view::npos ? std::string_view() : text.substr(0, equals);
}

}  // namespace

cVBG cVBG::Read(const std::string& path) {
  cVBG group;
  group.file_ = ResolvePath("", path);
  std::vector<CodedLine> lines;
  {
    const std::unique_ptr<TextReader> reader = Files().OpenText(group.file_);
    while (std::optional<std::string> bytes = reader->ReadLine()) {
      lines.push_back(DecodedLine(std::move(*bytes)));
    }
    if (!reader->FirstLineEnd().empty()) group.lineEnd_ = reader->FirstLineEnd();
  }
  if (lines.empty() || !UpperAscii(lines.front().text).starts_with(kHeader)) {
    throw VbError(kInvalidFileFormat, group.file_ + " is no project group file");
  }
  for (CodedLine& coded : lines) {
    const std::string_view key = KeyOf(coded.text);
    if (key == kStartupKey || key == kProjectKey) {
      // Taken before the line moves into the model: key points into its text.
      const bool startup = key == kStartupKey;
      std::string written = coded.text.substr(key.size() + 1);
      group.AddProjectLine(std::move(coded), std::move(written), startup);
    } else {
      group.lines_.push_back({std::move(coded)});
    }
  }
  return group;
}

cVBG cVBG::ForProjects(const std::vector<std::string>& projectFiles, size_t startup) {
  cVBG group;
  group.lines_.push_back({DecodedLine("VBGROUP 5.0")});
  for (size_t i = 0; i < projectFiles.size(); ++i) {
    group.AddProjectLine({}, projectFiles[i], i == startup);
  }
  return group;
}

void cVBG::AddProjectLine(CodedLine coded, std::string written, bool startup) {
  GroupProject project;
  project.path = ResolvePath(DirectoryOf(file_), written);
  project.written = std::move(written);
  project.startup = startup;
  project.found = ProjectFileExists(project.path);
  lines_.push_back({std::move(coded), true, projects_.size()});
  projects_.push_back(std::move(project));
}

void cVBG::SaveAs(const std::string& target, const std::vector<std::string>& projectPaths) const {
  if (projectPaths.size() != projects_.size()) throw VbError(vberr::kInvalidProcedureCall);
  const std::string file = ResolvePath("", target);
  const std::string directory = DirectoryOf(file);
  std::string text;
  for (const Line& line : lines_) {
    if (line.isProject) {
      const std::string_view key = projects_[line.project].startup ? kStartupKey : kProjectKey;
      text += EncodedText(std::string(key) + "=" +
                          RelativePath(directory, ResolvePath("", projectPaths[line.project])));
    } else {
      text += EncodedLine(line.coded);
    }
    text += lineEnd_;
  }
  const std::unique_ptr<StagedFile> staged = Files().Stage(file);
  staged->Write(text);
  staged->Commit();
}

}  // namespace zarvelin
