#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/cVBP.h"
#include "runtime/CodePage.h"
#include "runtime/Runtime.h"
#include "runtime/Service.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"

namespace zarvelin::cli {
namespace {

// The range VB gives a version number.
constexpr int16_t kMostVersion = 9999;

// The keys the given settings rewrite that no line of the file carries: setting one would report
// success and change nothing.
std::vector<std::string> AbsentKeys(const std::string& vbpFile, const ProjectSettings& settings) {
  std::vector<std::string> wanted;
  if (settings.majorVer) wanted.emplace_back("MajorVer");
  if (settings.name) wanted.emplace_back("Name");
  if (settings.commandLine) wanted.emplace_back("Command32");
  if (settings.path32) wanted.emplace_back("Path32");
  const std::unique_ptr<TextReader> reader = Files().OpenText(vbpFile);
  // Lines inside a section are that section's, never the project's settings.
  for (std::optional<std::string> line = reader->ReadLine(); line && !IsSectionHeader(*line);
       line = reader->ReadLine()) {
    std::erase_if(wanted, [&](const std::string& key) { return line->starts_with(key + "="); });
  }
  return wanted;
}

// The given texts that the project's code page has no characters for: written, they would fail.
std::vector<std::string> Unwritable(const ProjectSettings& settings) {
  std::vector<std::string> texts;
  for (const auto& text : {settings.name, settings.commandLine, settings.path32}) {
    if (text && !ProjectCodePage().Encode(*text)) texts.push_back(*text);
  }
  return texts;
}

// Takes failures nobody needs to be told of again.
class IgnoredFailures : public FailureReporter {
 public:
  void Report(std::string_view, std::string_view, int16_t, int32_t) override {}
};

// A whole number VB takes as a version number, or why the text is none.
std::string NotAVersionNumber(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 4 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  return digits ? std::string()
                : text + " is not a whole number from 0 to " + std::to_string(kMostVersion);
}

std::string RefuseLineBreaks(const std::string& value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos
             ? std::string()
             : "a value cannot hold a line break or a NUL: it would add lines to the project file";
}

}  // namespace

int SetProject(const std::string& vbpFile, const std::string& shownAs,
               const ProjectSettings& settings, const CommandContext& context) {
  StartReportRound();
  if (const std::optional<std::string> why = NotAProjectFile(vbpFile)) {
    std::cerr << "zarvelin set: " << ShownControls(shownAs) << ": " << *why << "\n";
    return 1;
  }
  // A link is the user's way of keeping the project elsewhere: the file it names is the one set.
  const std::string target = Files().LinkTarget(vbpFile);
  const std::vector<std::string> missing = MissingComponentFiles(target);
  for (const std::string& file : missing) {
    std::cerr << "zarvelin set: note: " << ShownControls(shownAs) << " lists "
              << ShownControls(context.toHostPath(file)) << ", which is missing\n";
  }
  const std::vector<std::string> absent = AbsentKeys(target, settings);
  for (const std::string& key : absent) {
    std::cerr << "zarvelin set: " << ShownControls(shownAs) << " has no " << key
              << " line; nothing was set.\n";
  }
  if (!absent.empty()) return 1;
  const std::vector<std::string> unwritable = Unwritable(settings);
  for (const std::string& text : unwritable) {
    std::cerr << "zarvelin set: the project's code page (" << ProjectCodePage().Name()
              << ") cannot write " << ShownControls(text) << "; nothing was set.\n";
  }
  if (!unwritable.empty()) return 1;

  cVBP project;
  {
    // A project file copied alone: reading it stops at the first missing component, which was
    // told above; the settings are lines of the project file itself and are set all the same.
    IgnoredFailures ignored;
    std::optional<ScopedService<FailureReporter>> quiet;
    if (!missing.empty()) quiet.emplace(ignored);
    project.VBPFile(target);
  }
  const int32_t failuresBefore = FailuresReported();
  if (settings.majorVer) project.MajorVer(*settings.majorVer);
  // VB writes the project's name quoted, as it writes Command32 and Path32.
  if (settings.name) project.Name('"' + Unquoted(*settings.name) + '"');
  if (settings.commandLine) project.CommandLine(*settings.commandLine);
  if (settings.path32) project.Path32(*settings.path32);
  return FailuresReported() == failuresBefore ? 0 : 1;
}

void RegisterSetCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* set = app.add_subcommand("set", "Rewrite settings of a project file in place");
  auto hostPath = std::make_shared<std::string>();
  auto settings = std::make_shared<ProjectSettings>();
  auto major = std::make_shared<std::optional<std::string>>();
  set->add_option("project", *hostPath, "The project file (.vbp)")->required();
  set->add_option("--major", *major, "The major version number, a whole number from 0 to 9999")
      ->type_name("N")
      ->check(NotAVersionNumber);
  set->add_option("--name", settings->name,
                  "The project's name, written quoted as VB writes it (quotes typed around it are "
                  "taken for those)")
      ->type_name("TEXT")
      ->check(RefuseLineBreaks)
      ->check([](const std::string& name) {
        return Unquoted(name).find('"') == std::string::npos ? std::string()
                                                             : "a project name cannot hold a quote";
      });
  set->add_option("--command", settings->commandLine,
                  "The command line the program is run with in the IDE, written quoted")
      ->type_name("TEXT")
      ->check(RefuseLineBreaks);
  set->add_option("--path32", settings->path32,
                  "The directory the compiled program is written to, written quoted")
      ->type_name("DIR")
      ->check(RefuseLineBreaks);
  set->callback([context, hostPath, settings, major] {
    if (*major) settings->majorVer = static_cast<int16_t>(std::stoi(**major));
    if (!settings->majorVer && !settings->name && !settings->commandLine && !settings->path32) {
      throw CLI::RequiredError("--major, --name, --command or --path32");
    }
    const std::string vbpFile = context.toVbPath(*hostPath);
    context.useCodePageOf(vbpFile);
    const int status = SetProject(vbpFile, *hostPath, *settings, context);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
