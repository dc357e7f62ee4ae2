#include "filebacked/FileBackedIdeProjectFile.h"

#include "runtime/Strings.h"
#include "runtime/VbPath.h"

namespace zarvelin::filebacked {
namespace {

std::string Unquoted(std::string_view value, bool& quoted) {
  const std::string_view path = UnquotedPath(value);
  quoted = path.size() != value.size();
  return std::string(path);
}

}  // namespace

std::optional<ComponentKind> KindOfKey(std::string_view key) {
  if (const ComponentKind* kind = ide::KindOfKey(key)) return *kind;
  return std::nullopt;
}

std::optional<ComponentKind> KindOfFile(std::string_view fileName, bool relatedDocument) {
  if (relatedDocument) return *ide::KindOfType(ide::component::kRelatedDocument);
  const std::string extension = ExtensionOf(fileName);
  for (const ComponentKind& kind : ide::kComponentKinds) {
    if (!kind.extension.empty() && EqualNoCase(kind.extension, extension)) return kind;
  }
  return std::nullopt;
}

std::optional<ComponentLine> ParseComponentLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::optional<ComponentKind> kind = KindOfKey(line.substr(0, equals));
  if (!kind) return std::nullopt;
  ComponentLine parsed{*kind, {}, {}, false};
  std::string_view value = line.substr(equals + 1);
  if (kind->namedByKey) {
    const size_t semicolon = value.find(';');
    if (semicolon == std::string_view::npos) return std::nullopt;
    parsed.name = std::string(value.substr(0, semicolon));
    value = Trim(value.substr(semicolon + 1));
  }
  parsed.path = Unquoted(value, parsed.quoted);
  return parsed;
}

std::string FormatComponentLine(const ComponentLine& line) {
  std::string text = std::string(line.kind.key) + "=";
  if (line.kind.namedByKey) text += line.name + "; ";
  text += line.quoted ? "\"" + line.path + "\"" : line.path;
  return text;
}

}  // namespace zarvelin::filebacked
