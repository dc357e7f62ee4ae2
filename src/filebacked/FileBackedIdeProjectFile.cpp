#include "filebacked/FileBackedIdeProjectFile.h"

#include <array>

#include "filebacked/FileBackedIdePaths.h"
#include "runtime/Strings.h"

namespace zarvelin::filebacked {
namespace {

constexpr std::array kKinds{
    ComponentKind{"Form", 5, false, true, "frx"},
    ComponentKind{"Module", 1, true, false, ""},
    ComponentKind{"Class", 2, true, false, ""},
    ComponentKind{"UserControl", 8, false, true, "ctx"},
    ComponentKind{"PropertyPage", 7, false, true, "pgx"},
    ComponentKind{"UserDocument", 9, false, true, "dox"},
    ComponentKind{"Designer", 11, false, true, "dsx"},
    ComponentKind{"RelatedDoc", 10, false, false, ""},
    ComponentKind{"ResFile32", 4, false, false, ""},
};

// Which kind a file of each extension is when the IDE adds it.
struct ExtensionKind {
  std::string_view extension;
  std::string_view key;
};

constexpr std::array kExtensions{
    ExtensionKind{"frm", "Form"},         ExtensionKind{"bas", "Module"},
    ExtensionKind{"cls", "Class"},        ExtensionKind{"ctl", "UserControl"},
    ExtensionKind{"pag", "PropertyPage"}, ExtensionKind{"dob", "UserDocument"},
    ExtensionKind{"dsr", "Designer"},     ExtensionKind{"res", "ResFile32"},
};

std::string Unquoted(std::string_view value, bool& quoted) {
  quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (quoted) value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

std::optional<ComponentKind> KindOfKey(std::string_view key) {
  for (const ComponentKind& kind : kKinds) {
    if (kind.key == key) return kind;
  }
  return std::nullopt;
}

std::optional<ComponentKind> KindOfFile(std::string_view fileName, bool relatedDocument) {
  if (relatedDocument) return KindOfKey("RelatedDoc");
  const std::string extension = ExtensionOf(fileName);
  for (const ExtensionKind& known : kExtensions) {
    if (EqualNoCase(known.extension, extension)) return KindOfKey(known.key);
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
