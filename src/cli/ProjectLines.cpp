#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "project/ProjectPaths.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/VbPath.h"

namespace zarvelin::cli {
namespace {

// The part of a "#"-separated reference between the given separators, counted from 0.
std::string_view Field(std::string_view text, size_t index) {
  for (size_t at = 0; index > 0; --index) {
    at = text.find('#');
    if (at == std::string_view::npos) return {};
    text.remove_prefix(at + 1);
  }
  return text.substr(0, text.find('#'));
}

// "*\G{GUID}#2.0#0#C:\Windows\System32\stdole2.tlb#OLE Automation": a type library by its
// description and file.
ListedLine Reference(std::string_view value) {
  const std::string path(Field(value, 3));
  return {"Reference",
          std::string(Field(value, 4)),
          ProjectPaths::GetDirectoryPart(path),
          ProjectPaths::GetFileName(path),
          false,
          false};
}

// "{GUID}#2.0#0; MSCOMCTL.OCX": a control library, found by the system from its file name.
ListedLine Object(std::string_view value) {
  const size_t semicolon = value.find(';');
  const std::string_view file =
      semicolon == std::string_view::npos ? std::string_view() : value.substr(semicolon + 1);
  const size_t start = file.find_first_not_of(' ');
  return {"Object", std::string(value.substr(0, semicolon)),
          "",       std::string(start == std::string_view::npos ? "" : file.substr(start)),
          false,    false};
}

ListedLine SavedByTheIde(std::string_view key, std::string_view value,
                         const std::string& projectDirectory) {
  const std::string directory = ProjectPaths::GetFullPath(projectDirectory, value);
  const std::string file = ProjectPaths::GetFileName(value);
  return {std::string(key), "", directory, file, true, !IsFile(JoinPath(directory, file))};
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ProjectLines(const std::string& vbpFile) {
  std::vector<std::pair<std::string, std::string>> lines;
  const std::unique_ptr<TextReader> reader = Files().OpenText(vbpFile);
  while (const std::optional<std::string> bytes = reader->ReadLine()) {
    std::string decoded;
    const std::string_view line = DecodedText(*bytes, decoded);
    if (line.starts_with('[')) break;
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos)
      lines.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return lines;
}

std::vector<ListedLine> LinesBesideTheModel(const std::string& vbpFile) {
  std::vector<ListedLine> listed;
  const std::string projectDirectory = ProjectPaths::GetDirectoryPart(vbpFile);
  for (const auto& [key, value] : ProjectLines(vbpFile)) {
    if (key == "Reference") listed.push_back(Reference(value));
    if (key == "Object") listed.push_back(Object(value));
    if (key == "Designer" || key == "UserDocument")
      listed.push_back(SavedByTheIde(key, value, projectDirectory));
  }
  return listed;
}

}  // namespace zarvelin::cli
