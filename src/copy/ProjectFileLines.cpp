#include "copy/ProjectFileLines.h"

#include <optional>

#include "project/cVBP.h"
#include "runtime/CodedLine.h"
#include "runtime/Strings.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

std::optional<ComponentLine> ParsedComponentLine(std::string_view text) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const ide::ComponentKind* kind = ide::KindOfKey(text.substr(0, equals));
  if (kind == nullptr) return std::nullopt;
  std::string_view value = text.substr(equals + 1);
  ComponentLine line{kind, {}, {}, std::string(text)};
  if (kind->namedByKey) {
    const size_t semicolon = value.find(';');
    if (semicolon == std::string_view::npos) return std::nullopt;
    line.name = Trim(value.substr(0, semicolon));
    value = Trim(value.substr(semicolon + 1));
  }
  line.path = UnquotedPath(value);
  return line;
}

}  // namespace

std::vector<std::string_view> LinesWithEnds(std::string_view bytes) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    } else {
      end += bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string_view WithoutEnd(std::string_view line) {
  while (line.ends_with('\n') || line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

ProjectLines ReadProjectLines(std::string_view bytes) {
  ProjectLines project;
  bool inSection = false;
  for (const std::string_view line : LinesWithEnds(bytes)) {
    const std::string raw(WithoutEnd(line));
    std::string decoded;
    const std::string_view text = DecodedText(raw, decoded);
    inSection = inSection || IsSectionHeader(text);
    if (std::optional<ComponentLine> component = ParsedComponentLine(text)) {
      project.components.push_back(std::move(*component));
    } else if (inSection || !text.starts_with("Path32=")) {
      project.settings.emplace_back(text);
    }
  }
  return project;
}

}  // namespace zarvelin::copy
