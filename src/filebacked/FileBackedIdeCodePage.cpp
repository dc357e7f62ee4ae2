#include "filebacked/FileBackedIdeCodePage.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "filebacked/FileBackedIdeComponentFile.h"
#include "filebacked/FileBackedIdeFiles.h"
#include "filebacked/FileBackedIdeProjectFile.h"
#include "runtime/CodedLine.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"
#include "runtime/Windows1252.h"

namespace zarvelin::filebacked {
namespace {

constexpr std::array<std::string_view, 13> kCommon = {"932",  "936",  "949",  "950",  "1250",
                                                      "1251", "1253", "1254", "1255", "1256",
                                                      "1257", "1258", "874"};

// A name the disk cannot hold (a "/" inside it) finds no file either.
bool Resolves(const std::string& path) {
  try {
    return FileExists(path);
  } catch (const VbError&) {
    return false;
  }
}

// A project names the same files in every code page it is read in, so each file is read once.
class Project {
 public:
  explicit Project(const std::string& projectFile)
      : directory_(DirectoryOf(projectFile)), lines_(ReadLineBytes(projectFile)) {}

  bool AllAscii() const {
    return std::all_of(lines_.begin(), lines_.end(),
                       [](const std::string& line) { return IsAscii(line); });
  }

  // The first name outside ASCII that finds no file when the files are read in codePage.
  std::optional<std::string> FirstUnresolved(const CodePage& codePage) {
    for (const std::string& bytes : lines_) {
      const std::string text = codePage.Decode(bytes);
      // Sections after the project's own part belong to tools, whatever their keys say.
      if (text.starts_with('[')) break;
      const std::optional<ComponentLine> line = ParseComponentLine(text);
      if (!line) continue;
      const std::string path = ResolvePath(directory_, line->path);
      if (!Resolves(path)) {
        if (!IsAscii(line->path)) return path;
        continue;
      }
      if (line->kind.companion.empty()) continue;
      for (const std::string& reference : CompanionsOf(path)) {
        const std::string companion = codePage.Decode(reference);
        if (IsAscii(companion)) continue;
        const std::string companionPath = ResolvePath(DirectoryOf(path), companion);
        if (!Resolves(companionPath)) return companionPath;
      }
    }
    return std::nullopt;
  }

 private:
  // The companion references of a component file's property block, as its bytes give them.
  const std::vector<std::string>& CompanionsOf(const std::string& path) {
    const auto known = companions_.find(UpperCase(path));
    if (known != companions_.end()) return known->second;
    std::vector<std::string> references;
    try {
      for (const std::string& line : ReadLineBytes(path)) {
        if (IsNameLine(line)) break;
        for (const CompanionReference& reference : FindCompanionReferences(line)) {
          references.push_back(line.substr(reference.start, reference.length));
        }
      }
    } catch (const VbError&) {
      // A component that cannot be read is the copy's to report; it has no companions here.
    }
    return companions_.insert_or_assign(UpperCase(path), std::move(references)).first->second;
  }

  std::string directory_;
  std::vector<std::string> lines_;
  std::map<std::string, std::vector<std::string>> companions_;
};

}  // namespace

CodePageChoice ChooseCodePage(const std::string& projectFile, const CodePages& codePages) {
  CodePageChoice choice{std::make_unique<Windows1252CodePage>(), {}};
  std::optional<Project> read;
  try {
    read.emplace(projectFile);
  } catch (const VbError&) {
    // A project file that cannot be read is the command's to report, in its own words.
    return choice;
  }
  Project& project = *read;
  if (project.AllAscii()) return choice;
  const std::optional<std::string> missed = project.FirstUnresolved(*choice.codePage);
  if (!missed) return choice;
  for (const std::string_view name : kCommon) {
    std::unique_ptr<CodePage> codePage = codePages.Open(std::string(name));
    if (codePage && !project.FirstUnresolved(*codePage)) return {std::move(codePage), {}};
  }
  choice.unresolved = *missed;
  return choice;
}

}  // namespace zarvelin::filebacked
