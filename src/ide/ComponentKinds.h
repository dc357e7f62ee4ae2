#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ide/Vbide.h"

namespace zarvelin::ide {

// What each kind of project component is called in a project file and on disk: the one table the
// project-file reader, the file-backed IDE and the command line's listing all read.
struct ComponentKind {
  std::string_view key;        // the project-file key: "Form", "Module" ...
  int32_t type;                // the IDE's number (component::k*)
  std::string_view extension;  // the file's extension when the IDE adds one; "" for any
  std::string_view companion;  // the binary companion's extension; "" when it has none
  bool namedByKey;             // "Name; path" lines: the line itself names the component
  bool namedByFile;            // the file's Attribute VB_Name line names the component
};

// In project-file order of preference: a key or an extension that several kinds share (a Form
// line may hold an MDI form) finds the first.
inline constexpr std::array kComponentKinds{
    ComponentKind{"Form", component::kVBForm, "frm", "frx", false, true},
    ComponentKind{"Form", component::kVBMDIForm, "frm", "frx", false, true},
    ComponentKind{"Module", component::kStdModule, "bas", "", true, false},
    ComponentKind{"Class", component::kClassModule, "cls", "", true, false},
    ComponentKind{"UserControl", component::kUserControl, "ctl", "ctx", false, true},
    ComponentKind{"PropertyPage", component::kPropPage, "pag", "pgx", false, true},
    ComponentKind{"UserDocument", component::kDocObject, "dob", "dox", false, true},
    ComponentKind{"Designer", component::kActiveXDesigner, "dsr", "dsx", false, true},
    ComponentKind{"RelatedDoc", component::kRelatedDocument, "", "", false, false},
    ComponentKind{"ResFile32", component::kResFile, "res", "", false, false},
};

// The kind a project-file key names (exact letter case, as VB writes them), or null.
constexpr const ComponentKind* KindOfKey(std::string_view key) {
  for (const ComponentKind& kind : kComponentKinds) {
    if (kind.key == key) return &kind;
  }
  return nullptr;
}

// The kind of a component type number, or null.
constexpr const ComponentKind* KindOfType(int32_t type) {
  for (const ComponentKind& kind : kComponentKinds) {
    if (kind.type == type) return &kind;
  }
  return nullptr;
}

}  // namespace zarvelin::ide
