#include "filebacked/FileBackedIdeProject.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_set>

#include "filebacked/FileBackedIdeFiles.h"
#include "filebacked/FileBackedIdeProjectFile.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/Strings.h"
#include "runtime/VbPath.h"

namespace zarvelin::filebacked {
namespace {

bool IsSectionHeader(const std::string& text) {
  return !text.empty() && text.front() == '[';
}

}  // namespace

std::shared_ptr<FileBackedProject> FileBackedProject::Open(const std::string& path) {
  std::shared_ptr<FileBackedProject> project(new FileBackedProject());
  // Opening reads every component; their directories are listed once for all of them.
  const std::unique_ptr<ListingHold> listings = Files().HoldListings();
  project->file_ = StoredSpelling(ResolvePath("", path));
  const std::string directory = DirectoryOf(project->file_);
  bool inProjectPart = true;
  std::vector<CodedLine> lines = ReadCodedLines(project->file_);
  // The files listed so far, by their paths letter case aside.
  NoCaseMap<std::vector<std::string>> listed;
  listed.reserve(lines.size());
  project->lines_.reserve(lines.size());
  for (CodedLine& coded : lines) {
    const std::string& text = coded.text;
    // Sections after the project's own part belong to tools, whatever their keys say.
    inProjectPart = inProjectPart && !IsSectionHeader(text);
    std::shared_ptr<FileBackedComponent> component;
    const std::optional<ComponentLine> line =
        inProjectPart ? ParseComponentLine(text) : std::nullopt;
    if (line) {
      // VB loads a file once however often the project lists it, and saves one line for it. Two
      // spellings are one file on Windows; on a disk that tells letter case apart they may be two,
      // and neither may be dropped.
      const std::string resolved = ResolvePath(directory, line->path);
      std::vector<std::string>& spellings = listed[resolved];
      const bool loaded =
          std::any_of(spellings.begin(), spellings.end(), [&](const std::string& other) {
            return other == resolved || Files().SameFile(other, resolved);
          });
      if (loaded) continue;
      spellings.push_back(resolved);
      component = FileBackedComponent::FromLine(*line, text, resolved);
      project->components_.Append(component);
    }
    project->lines_.push_back({std::move(coded), std::move(component)});
  }
  return project;
}

std::string FileBackedProject::FileName() {
  return file_;
}

ide::VBComponents& FileBackedProject::Components() {
  return components_;
}

void FileBackedProject::SaveAs(const std::string& path) {
  const std::string target = ResolvePath("", path);
  std::vector<Line> lines = LinesFor(DirectoryOf(target));
  // The whole file in the project's code page: a component line that cannot be written in it
  // fails here, before anything is written.
  std::vector<std::string> written;
  written.reserve(lines.size());
  for (const Line& line : lines) written.push_back(EncodedLine(line.coded));

  StagedFiles staged;
  staged.Write(written, target);
  staged.Commit();

  file_ = target;
  dirty_ = false;
  for (size_t i = 0; i < lines.size(); ++i) lines[i].coded.bytes = std::move(written[i]);
  lines_ = std::move(lines);
  for (const Line& line : lines_) {
    if (line.component) line.component->NamedBy(line.coded.text);
  }
}

// Components removed from the project lose their line; components added since the project was
// read get one after the last component line of the project's own part, before the first
// section that tools keep for themselves.
std::vector<FileBackedProject::Line> FileBackedProject::LinesFor(
    const std::string& projectDirectory) const {
  // Looked up by address: a project of thousands of components is not walked once per line.
  std::unordered_set<const FileBackedComponent*> held;
  for (const std::shared_ptr<FileBackedComponent>& component : components_.All()) {
    held.insert(component.get());
  }
  std::unordered_set<const FileBackedComponent*> listed;
  std::vector<Line> lines;
  size_t insertAt = 0;
  bool inProjectPart = true;
  bool sawComponent = false;
  for (const Line& line : lines_) {
    if (inProjectPart && IsSectionHeader(line.coded.text)) {
      inProjectPart = false;
      if (!sawComponent) insertAt = lines.size();
    }
    if (!line.component) {
      lines.push_back(line);
      continue;
    }
    if (!held.contains(line.component.get())) continue;
    listed.insert(line.component.get());
    lines.push_back(
        {{line.component->LineFor(projectDirectory), line.coded.bytes}, line.component});
    if (inProjectPart) {
      insertAt = lines.size();
      sawComponent = true;
    }
  }
  if (inProjectPart && !sawComponent) insertAt = lines.size();

  std::vector<Line> added;
  for (const std::shared_ptr<FileBackedComponent>& component : components_.All()) {
    if (!listed.contains(component.get())) {
      added.push_back({{component->LineFor(projectDirectory), {}}, component});
    }
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(), added.end());
  return lines;
}

}  // namespace zarvelin::filebacked
