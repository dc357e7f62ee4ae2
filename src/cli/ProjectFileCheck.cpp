#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "project/ProjectPaths.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::cli {
namespace {

// The model opens these components' files to read their names; the others it takes from the line.
bool ReadWhenListed(std::string_view key) {
  return key == "Form" || key == "UserControl" || key == "PropertyPage";
}

}  // namespace

bool IsFile(const std::string& path) {
  try {
    return (Files().Attributes(path) & fileattr::kDirectory) == 0;
  } catch (const VbError&) {
    return false;
  }
}

std::string InWords(const VbError& failure) {
  switch (failure.Number()) {
    case vberr::kFileNotFound:
      return "no such file";
    case vberr::kPathNotFound:
      return "no such directory";
    case vberr::kPermissionDenied:
      return "permission denied";
    case vberr::kDiskFull:
      return "the disk is full";
    case vberr::kDeviceIoError:
      return "the device failed to read or write (I/O error)";
    case vberr::kPathFileAccessError:
      return "cannot be read or written (not a plain file, or one that may not be replaced)";
    case vberr::kDiskNotReady:
    case vberr::kDeviceUnavailable:
      return "the drive is not ready or not there";
    default:
      return ShownControls(failure.Description()) + " (error " + std::to_string(failure.Number()) +
             ")";
  }
}

std::string FileNamedIn(const std::string& description) {
  const size_t open = description.find(": '");
  if (open == std::string::npos || description.size() < open + 4 || description.back() != '\'')
    return {};
  return description.substr(open + 3, description.size() - open - 4);
}

std::optional<std::string> NotAProjectFile(const std::string& vbpFile) {
  try {
    if ((Files().Attributes(vbpFile) & fileattr::kDirectory) != 0) return "it is a directory";
    const std::unique_ptr<TextReader> reader = Files().OpenText(vbpFile);
    bool projectLine = false;
    while (const std::optional<std::string> line = reader->ReadLine()) {
      if (line->find('\0') != std::string::npos) {
        return "it holds NUL bytes (a binary or UTF-16 file), not project file text";
      }
      if (line->starts_with('[')) break;
      const size_t equals = line->find('=');
      projectLine = projectLine || (equals != std::string::npos && equals > 0);
    }
    if (!projectLine) return "no project file: it holds no KEY=VALUE line";
  } catch (const VbError& error) {
    return InWords(error);
  }
  return std::nullopt;
}

std::vector<std::string> MissingComponentFiles(const std::string& vbpFile) {
  std::vector<std::string> missing;
  for (const auto& [key, written] : ProjectLines(vbpFile)) {
    if (!ReadWhenListed(key)) continue;
    const std::string file =
        JoinPath(ProjectPaths::GetFullPath(ProjectPaths::GetDirectoryPart(vbpFile), written),
                 ProjectPaths::GetFileName(written));
    if (!IsFile(file)) missing.push_back(file);
  }
  return missing;
}

}  // namespace zarvelin::cli
