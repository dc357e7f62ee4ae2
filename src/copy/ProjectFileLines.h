#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ide/ComponentKinds.h"

// A project file read line by line as VB reads it, for those who judge a copy or lay it out from
// the project file alone, without an IDE.
namespace zarvelin::copy {

// One line of a project file that names a component, split as VB reads it.
struct ComponentLine {
  const ide::ComponentKind* kind = nullptr;
  std::string name;  // "Name; path" lines only
  std::string path;  // unquoted, as written
  std::string text;  // the whole line, to name it in a difference
};

// What a project file holds: its component lines, and every other line but the project's own
// Path32, which a copy clears.
struct ProjectLines {
  std::vector<ComponentLine> components;
  std::vector<std::string> settings;
};

// The lines of a file with their ends (CR LF, LF or CR) kept, so that a changed line end is a
// difference too.
std::vector<std::string_view> LinesWithEnds(std::string_view bytes);

std::string_view WithoutEnd(std::string_view line);

ProjectLines ReadProjectLines(std::string_view bytes);

}  // namespace zarvelin::copy
