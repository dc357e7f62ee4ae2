#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "ide/ComponentKinds.h"
#include "project/cVBP.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"

namespace zarvelin::cli {
namespace {

std::string KindName(int32_t componentType) {
  if (const ide::ComponentKind* kind = ide::KindOfType(componentType))
    return std::string(kind->key);
  return std::to_string(componentType);
}

using Row = std::array<std::string, 5>;

void WriteTable(const std::vector<Row>& rows, std::ostream& out) {
  std::array<size_t, 5> widths{};
  for (const Row& row : rows) {
    for (size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  for (const Row& row : rows) {
    std::string line;
    for (size_t column = 0; column < row.size(); ++column) {
      line += row[column];
      if (column + 1 < row.size())
        line += std::string(widths[column] - row[column].size() + 2, ' ');
    }
    out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
  }
}

void WriteText(const cVBP& project, std::ostream& out) {
  out << "Project file:        " << ShownControls(project.VBPFile()) << '\n'
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
  // Project files carry their own code page; bytes that are not UTF-8 show as U+FFFD here
  // rather than stop the listing.
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

int ShowProject(const std::string& vbpFile, bool json, std::ostream& out) {
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
    const int status = ShowProject(context.toVbPath(*hostPath), *json, *context.out);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
