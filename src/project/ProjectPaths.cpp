#include "project/ProjectPaths.h"

#include <algorithm>

#include "ide/CompanionReferences.h"
#include "project/Positions.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbPath.h"

namespace zarvelin::ProjectPaths {
namespace {

using positions::Held;
using positions::InStr;

constexpr std::string_view kModule = "cVBP";

char LowerAsciiChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsNoCase(std::string_view text, std::string_view find) {
  const auto found =
      std::search(text.begin(), text.end(), find.begin(), find.end(),
                  [](char a, char b) { return LowerAsciiChar(a) == LowerAsciiChar(b); });
  return found != text.end() || find.empty();
}

}  // namespace

std::string GetDirectoryPart(std::string_view path) {
  for (int32_t i = Held(path.size()); i >= 1; --i) {
    const char c = path[static_cast<size_t>(i - 1)];
    if (c == ':') return std::string(path.substr(0, static_cast<size_t>(i)));
    if (c == '\\') return std::string(path.substr(0, static_cast<size_t>(i - 1)));
  }
  return {};
}

std::string GetFileName(std::string_view path) {
  std::string result;
  Trap(kModule, "GetFileName", [&](Erl& erl) {
    erl = 10;
    if (InStr(1, path, "\\") == 0) {
      result = path;
      return;
    }
    erl = 20;
    int16_t last = 0;
    for (int16_t hit = Held(InStr(1, path, "\\")); hit > 0;
         hit = Held(InStr(static_cast<size_t>(last) + 1, path, "\\"))) {
      last = hit;
    }
    erl = 30;
    result = path.substr(static_cast<size_t>(last));
  });
  return result;
}

std::string GetFullPath(std::string_view projectDirectory, std::string_view componentPath) {
  // Read as VB reads it: "." and ".." steps wherever they stand, never climbing above a root.
  // A path that names no file ("", "sub\") names its directory.
  const std::string resolved = ResolvePath(projectDirectory, componentPath);
  return FileNameOf(componentPath).empty() ? resolved : DirectoryOf(resolved);
}

std::string GetComponentName(const std::string& filePath, std::string_view extension,
                             bool& refersToCompanion) {
  std::string result;
  Trap(kModule, "GetComponentName", [&](Erl& erl) {
    erl = 10;
    const auto reader = Files().OpenText(filePath);
    erl = 20;
    while (const auto bytes = reader->ReadLine()) {
      std::string decoded;
      const std::string_view line = DecodedText(*bytes, decoded);
      erl = 30;
      if (ContainsNoCase(line, extension)) refersToCompanion = true;
      erl = 40;
      if (ide::IsNameLine(line)) {
        erl = 50;
        const int16_t closing = Held(InStr(ide::kNameLinePrefix.size() + 1, line, "\""));
        // Mid$ with a negative length: the name line has no closing quote.
        if (closing == 0) throw VbError(vberr::kInvalidProcedureCall);
        result = line.substr(ide::kNameLinePrefix.size(),
                             static_cast<size_t>(closing) - 1 - ide::kNameLinePrefix.size());
        return;
      }
    }
  });
  return result;
}

}  // namespace zarvelin::ProjectPaths
