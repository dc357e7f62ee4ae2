#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ShowGroup.h"
#include "ide/ComponentKinds.h"
#include "project/cVBP.h"
#include "runtime/CodePage.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/Utf8.h"

namespace zarvelin::cli {
namespace {

std::string KindName(int32_t componentType) {
  if (const ide::ComponentKind* kind = ide::KindOfType(componentType))
    return std::string(kind->key);
  return std::to_string(componentType);
}

using Row = std::array<std::string, 5>;

// The columns a UTF-8 text takes on a terminal: one a character, two for the wide characters of
// East Asian scripts, so that a table of Japanese names stays aligned.
size_t DisplayWidth(std::string_view text) {
  size_t width = 0;
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> next = NextCharacter(text, at);
    // A byte that is no UTF-8 shows as one replacement character.
    if (!next) ++at;
    const char32_t c = next.value_or(0xFFFD);
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
    width += wide ? 2 : 1;
  }
  return width;
}

void WriteTable(const std::vector<Row>& rows, std::ostream& out) {
  std::array<size_t, 5> widths{};
  for (const Row& row : rows) {
    for (size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  }
  for (const Row& row : rows) {
    std::string line;
    for (size_t column = 0; column < row.size(); ++column) {
      line += row[column];
      if (column + 1 < row.size())
        line += std::string(widths[column] - DisplayWidth(row[column]) + 2, ' ');
    }
    out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
  }
}

void WriteText(const cVBP& project, std::ostream& out) {
  out << "Project file:        " << ShownControls(project.VBPFile()) << '\n'
      << "Code page:           " << ProjectCodePage().Name() << '\n'
      << "Version:             " << project.MajorVer() << '.' << project.MinorVer() << '.'
      << project.RevisionVer() << '\n'
      << "Name:                " << ShownControls(project.Name()) << '\n'
      << "Command line:        " << ShownControls(project.CommandLine()) << '\n'
      << "Conditional compile: " << ShownControls(project.ConditionalCompile()) << '\n'
      << "Executable name:     " << ShownControls(project.ExeName32()) << '\n'
      << "Output path:         " << ShownControls(project.Path32()) << '\n'
      << '\n'
      << "Components: " << project.Components()->Count() << '\n';
  std::vector<Row> rows{{"Kind", "Name", "Directory", "File", "Companion"}};
  for (const auto& component : *project.Components()) {
    rows.push_back({KindName(component->ComponentType()), ShownControls(component->ComponentName()),
                    ShownControls(component->ComponentPath()),
                    ShownControls(component->ComponentFile()),
                    ShownControls(component->ComponentBinaryFile())});
  }
  WriteTable(rows, out);
}

void WriteJson(const cVBP& project, std::ostream& out) {
  nlohmann::ordered_json components = nlohmann::ordered_json::array();
  for (const auto& component : *project.Components()) {
    components.push_back({
        {"type", component->ComponentType()},
        {"kind", KindName(component->ComponentType())},
        {"name", component->ComponentName()},
        {"directory", component->ComponentPath()},
        {"file", component->ComponentFile()},
        {"companion", component->BinaryFile()
                          ? nlohmann::ordered_json(component->ComponentBinaryFile())
                          : nlohmann::ordered_json(nullptr)},
    });
  }
  const nlohmann::ordered_json document = {
      {"projectFile", project.VBPFile()},
      {"codePage", ProjectCodePage().Name()},
      {"majorVer", project.MajorVer()},
      {"minorVer", project.MinorVer()},
      {"revisionVer", project.RevisionVer()},
      {"name", project.Name()},
      {"commandLine", project.CommandLine()},
      {"conditionalCompile", project.ConditionalCompile()},
      {"exeName32", project.ExeName32()},
      {"path32", project.Path32()},
      {"components", components},
  };
  // The names were read through the project's code page; a host name that is no UTF-8 shows as
  // U+FFFD here rather than stop the listing.
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

int ShowProject(const std::string& vbpFile, bool json, std::ostream& out) {
  if (IsGroupFile(vbpFile)) return ShowGroup(vbpFile, json, out);
  if (const std::optional<std::string> why = NotAProjectFile(vbpFile)) {
    std::cerr << "zarvelin show: cannot open " << ShownControls(vbpFile) << ": " << *why << "\n";
    return 1;
  }
  const int32_t failuresBefore = FailuresReported();
  cVBP project;
  project.VBPFile(vbpFile);
  if (json) {
    WriteJson(project, out);
  } else {
    WriteText(project, out);
  }
  return FailuresReported() == failuresBefore ? 0 : 1;
}

void RegisterShowCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* show = app.add_subcommand("show", "List a project's settings and components");
  auto hostPath = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  show->add_option("project", *hostPath, "The project file (.vbp)")->required();
  show->add_flag("--json", *json, "Write the listing as JSON");
  show->callback([context, hostPath, json] {
    const std::string vbpFile = context.toVbPath(*hostPath);
    context.useCodePageOf(vbpFile);
    const int status = ShowProject(vbpFile, *json, *context.out);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
