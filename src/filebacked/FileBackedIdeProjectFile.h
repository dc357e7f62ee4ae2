#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The component lines of a .vbp as VB6 writes and reads them. Every other line of a project file
// is none of the IDE's business and travels through a save unchanged.
namespace zarvelin::filebacked {

// What a component line's key says about its component.
struct ComponentKind {
  std::string_view key;        // "Form", "Module", ...
  int32_t type;                // the IDE's type number (a Form line may still turn out an MDI form)
  bool namedByKey;             // "Name; path" lines: the name comes from the line itself
  bool namedByFile;            // the name comes from the file's Attribute VB_Name line
  std::string_view companion;  // extension of the binary companion it may refer to
};

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
