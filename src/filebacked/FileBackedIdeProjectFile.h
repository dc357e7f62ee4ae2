#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ide/ComponentKinds.h"

// The component lines of a .vbp as VB6 writes and reads them. Every other line of a project file
// is none of the IDE's business and travels through a save unchanged.
namespace zarvelin::filebacked {

using ide::ComponentKind;

// The kind of a key ("Form", "ResFile32" ...), or nothing for lines that are not components.
std::optional<ComponentKind> KindOfKey(std::string_view key);
// The kind that VB gives a file added by its extension; a .frm is a form (see IsMdiForm).
std::optional<ComponentKind> KindOfFile(std::string_view fileName, bool relatedDocument);

// One component line, split.
struct ComponentLine {
  ComponentKind kind;
  std::string name;  // for "Name; path" lines only
  std::string path;  // as written, without quotes
  bool quoted = false;
};

// The component line in line, or nothing when line is any other line. Keys match exactly.
std::optional<ComponentLine> ParseComponentLine(std::string_view line);
// The text of a component line, as VB writes it.
std::string FormatComponentLine(const ComponentLine& line);

}  // namespace zarvelin::filebacked
