#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/ShowGroup.h"
#include "ide/ComponentKinds.h"
#include "project/cVBP.h"
#include "runtime/CodePage.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/Utf8.h"
#include "runtime/VbPath.h"

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

// The version numbers a file writes outside VB's range (key and text as written): the model
// keeps them as they are, and the listing says so rather than show a number that is not there.
std::vector<std::pair<std::string, std::string>> VersionsOutOfRange(const cVBP& project) {
  std::vector<std::pair<std::string, std::string>> outside;
  for (const auto& [key, text] : {std::pair{"MajorVer", &project.MajorVerText()},
                                  std::pair{"MinorVer", &project.MinorVerText()},
                                  std::pair{"RevisionVer", &project.RevisionVerText()}}) {
    if (!text->empty() && !VersionInRange(*text)) outside.emplace_back(key, *text);
  }
  return outside;
}

std::string VersionShown(const cVBP& project) {
  const auto part = [](const std::string& text, int16_t value) {
    return !text.empty() && !VersionInRange(text) ? ShownControls(text) : std::to_string(value);
  };
  std::string shown = part(project.MajorVerText(), project.MajorVer()) + "." +
                      part(project.MinorVerText(), project.MinorVer()) + "." +
                      part(project.RevisionVerText(), project.RevisionVer());
  const auto outside = VersionsOutOfRange(project);
  for (size_t at = 0; at < outside.size(); ++at) {
    shown += (at == 0 ? " (out of range, 0 to 9999: " : ", ") + outside[at].first;
  }
  return outside.empty() ? shown : shown + ")";
}

// Paths are shown in the host's form, as the user gives them on this system.
using HostPaths = std::function<std::string(const std::string&)>;

// A library's folder is shown as the project file writes it (a Windows system folder, not one of
// this host); a designer's or user document's, copied with the project, is a folder of the host.
std::string ShownDirectory(const ListedLine& line, const HostPaths& shown) {
  return line.copied ? shown(line.directory) : line.directory;
}

void WriteText(const cVBP& project, const HostPaths& shown, std::ostream& out) {
  out << "Project file:        " << ShownControls(shown(project.VBPFile())) << '\n'
      << "Code page:           " << ProjectCodePage().Name() << '\n'
      << "Version:             " << VersionShown(project) << '\n'
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
                    ShownControls(shown(component->ComponentPath())),
                    ShownControls(component->ComponentFile()),
                    ShownControls(component->ComponentBinaryFile())});
  }
  WriteTable(rows, out);
}

// A Windows code page is a number ("1252"); a converter's own name stays text.
nlohmann::ordered_json NumberOrText(const std::string& name) {
  if (!name.empty() && name.size() < 6 && name.find_first_not_of("0123456789") == std::string::npos)
    return std::stoi(name);
  return name;
}

std::string CopyState(const ListedLine& line) {
  if (line.missing) return "missing";
  return line.copied ? "copied" : "not copied";
}

void WriteListedText(const std::vector<ListedLine>& listed, const HostPaths& shown,
                     std::ostream& out) {
  if (listed.empty()) return;
  out << "\nAlso listed: " << listed.size() << '\n';
  std::vector<Row> rows{{"Kind", "Name", "Directory", "File", "Copy"}};
  for (const ListedLine& line : listed) {
    rows.push_back({line.kind, ShownControls(line.name), ShownControls(ShownDirectory(line, shown)),
                    ShownControls(line.file), CopyState(line)});
  }
  WriteTable(rows, out);
}

nlohmann::ordered_json ListedJson(const std::vector<ListedLine>& listed, const HostPaths& shown) {
  nlohmann::ordered_json lines = nlohmann::ordered_json::array();
  for (const ListedLine& line : listed) {
    lines.push_back({{"kind", line.kind},
                     {"name", line.name},
                     {"directory", ShownDirectory(line, shown)},
                     {"file", line.file},
                     {"copied", line.copied},
                     {"missing", line.missing}});
  }
  return lines;
}

void WriteJson(const cVBP& project, const std::vector<ListedLine>& listed, const HostPaths& shown,
               std::ostream& out) {
  nlohmann::ordered_json components = nlohmann::ordered_json::array();
  for (const auto& component : *project.Components()) {
    components.push_back({
        {"type", component->ComponentType()},
        {"kind", KindName(component->ComponentType())},
        {"name", component->ComponentName()},
        {"directory", shown(component->ComponentPath())},
        {"file", component->ComponentFile()},
        {"companion", component->BinaryFile()
                          ? nlohmann::ordered_json(component->ComponentBinaryFile())
                          : nlohmann::ordered_json(nullptr)},
    });
  }
  nlohmann::ordered_json outOfRange = nlohmann::ordered_json::object();
  for (const auto& [key, text] : VersionsOutOfRange(project)) outOfRange[key] = text;
  nlohmann::ordered_json document = {
      {"projectFile", shown(project.VBPFile())},
      {"codePage", NumberOrText(ProjectCodePage().Name())},
      {"majorVer", project.MajorVer()},
      {"minorVer", project.MinorVer()},
      {"revisionVer", project.RevisionVer()},
      {"name", Unquoted(project.Name())},
      {"commandLine", Unquoted(project.CommandLine())},
      {"conditionalCompile", Unquoted(project.ConditionalCompile())},
      {"exeName32", Unquoted(project.ExeName32())},
      {"path32", Unquoted(project.Path32())},
      {"components", components},
      {"alsoListed", ListedJson(listed, shown)},
  };
  if (!outOfRange.empty()) document["versionsOutOfRange"] = outOfRange;
  // The names were read through the project's code page; a host name that is no UTF-8 shows as
  // U+FFFD here rather than stop the listing.
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

int ShowProject(const std::string& vbpFile, const std::string& shownAs, bool json,
                const CommandContext& context) {
  std::ostream& out = *context.out;
  if (IsGroupFile(vbpFile)) return ShowGroup(vbpFile, json, out);
  if (const std::optional<std::string> why = NotAProjectFile(vbpFile)) {
    std::cerr << "zarvelin show: " << ShownControls(shownAs) << ": " << *why << "\n";
    return 1;
  }
  const std::vector<std::string> missing = MissingComponentFiles(vbpFile);
  for (const std::string& file : missing) {
    std::cerr << "zarvelin show: " << ShownControls(shownAs) << ": lists "
              << ShownControls(context.toHostPath(file)) << ", which is missing\n";
  }
  if (!missing.empty()) return 1;
  const int32_t failuresBefore = FailuresReported();
  cVBP project;
  project.VBPFile(vbpFile);
  const std::vector<ListedLine> listed = LinesBesideTheModel(vbpFile);
  // The project file as the user typed it; every other path in the host's form.
  const HostPaths shown = [&](const std::string& path) {
    return path == project.VBPFile() ? shownAs : context.toHostPath(path);
  };
  if (json) {
    WriteJson(project, listed, shown, out);
  } else {
    WriteText(project, shown, out);
    WriteListedText(listed, shown, out);
  }
  out.flush();
  if (!out) {
    std::cerr << "zarvelin show: the listing could not be written to standard output\n";
    return 1;
  }
  bool complete = true;
  for (const ListedLine& line : listed) {
    if (!line.missing) continue;
    std::cerr << "zarvelin show: " << ShownControls(shownAs) << ": lists "
              << ShownControls(context.toHostPath(JoinPath(line.directory, line.file)))
              << ", which is missing\n";
    complete = false;
  }
  return complete && FailuresReported() == failuresBefore ? 0 : 1;
}

void RegisterShowCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* show = app.add_subcommand("show", "List a project's settings and components");
  auto hostPath = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  show->add_option("project", *hostPath, "The project file (.vbp)")
      ->required()
      ->type_name("PROJECT");
  show->add_flag("--json", *json, "Write the listing as JSON");
  show->callback([context, hostPath, json] {
    const std::string vbpFile = context.toVbPath(*hostPath);
    context.useCodePageOf(vbpFile);
    const int status = ShowProject(vbpFile, *hostPath, *json, context);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
