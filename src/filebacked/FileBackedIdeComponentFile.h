#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ide/CompanionReferences.h"

// What the IDE learns from a component's own file: the name it declares, whether a form is an
// MDI form, and the binary companions (.frx, .ctx ...) that its property block refers to as
// "Name.frx":0000 or $"Name.frx":0000.
namespace zarvelin::filebacked {

struct ComponentFileFacts {
  std::string name;                     // from Attribute VB_Name = "..."; empty when absent
  bool mdiForm = false;                 // its first Begin line is Begin VB.MDIForm
  std::vector<std::string> companions;  // each referred companion once, as first written
};

// Reads the file at path through the run time's files. text, when given, receives every line of
// a file that one read takes in whole, each ended with CR LF as the IDE writes it; a larger file is
// read only up to its name line, and a file whose facts are already known is not read at all.
ComponentFileFacts ReadComponentFile(const std::string& path,
                                     std::optional<std::string>* text = nullptr);

using ide::CompanionReference;
using ide::FindCompanionReferences;
using ide::IsNameLine;

// line with every companion reference replaced as rename answers for it.
std::string RenameCompanions(std::string_view line,
                             const std::function<std::string(const std::string&)>& rename);

}  // namespace zarvelin::filebacked
