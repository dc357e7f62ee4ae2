#include "project/ProjectPaths.h"

#include <algorithm>

#include "ide/CompanionReferences.h"
#include "project/Positions.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

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

std::string GetReducedPath(std::string_view path, int16_t levels) {
  std::string result;
  Trap(kModule, "GetReducedPath", [&](Erl& erl) {
    erl = 10;
    std::string working(path);
    int16_t separators = 0;
    const int16_t length = Held(path.size());
    erl = 20;
    for (int32_t i = 1; i <= length; ++i) {
      const char last = working.back();
      if (last == '\\' || last == ':') separators = Held(static_cast<size_t>(separators) + 1);
      working.pop_back();
      if (separators == levels) break;
    }
    erl = 30;
    result = std::move(working);
  });
  return result;
}

std::string GetFullPath(std::string_view projectDirectory, std::string_view componentPath) {
  std::string result;
  Trap(kModule, "GetFullPath", [&](Erl& erl) {
    erl = 10;
    if (InStr(1, componentPath, "\\") == 0) {
      result = projectDirectory;
      return;
    }
    erl = 20;
    if (InStr(1, componentPath, "..\\") > 0) {
      std::string shortened(componentPath);
      int16_t levels = 0;
      erl = 30;
      for (int16_t step = Held(InStr(1, shortened, "..\\")); step > 0;
           step = Held(InStr(static_cast<size_t>(step), shortened, "..\\"))) {
        shortened.erase(0, std::min<size_t>(3, shortened.size()));
        levels = Held(static_cast<size_t>(levels) + 1);
      }
      erl = 40;
      result = GetDirectoryPart(GetReducedPath(projectDirectory, levels) + "\\" + shortened);
      return;
    }
    erl = 50;
    // An absolute path names its own directory: the component file is looked for there.
    if (InStr(1, componentPath, ":") > 0) {
      result = GetDirectoryPart(componentPath);
      return;
    }
    erl = 60;
    result = GetDirectoryPart(std::string(projectDirectory) + "\\" + std::string(componentPath));
  });
  return result;
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
