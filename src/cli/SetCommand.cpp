#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "project/cVBP.h"
#include "runtime/Trap.h"

namespace zarvelin::cli {

int SetProject(const std::string& vbpFile, const ProjectSettings& settings) {
  const int32_t failuresBefore = FailuresReported();
  cVBP project;
  project.VBPFile(vbpFile);
  if (settings.majorVer) project.MajorVer(*settings.majorVer);
  if (settings.name) project.Name(*settings.name);
  if (settings.commandLine) project.CommandLine(*settings.commandLine);
  if (settings.path32) project.Path32(*settings.path32);
  return FailuresReported() == failuresBefore ? 0 : 1;
}

void RegisterSetCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* set = app.add_subcommand("set", "Rewrite settings of a project file in place");
  auto hostPath = std::make_shared<std::string>();
  auto settings = std::make_shared<ProjectSettings>();
  set->add_option("project", *hostPath, "The project file (.vbp)")->required();
  set->add_option("--major", settings->majorVer, "MajorVer, a whole number");
  set->add_option("--name", settings->name, "Name, written as given (quotes included)");
  set->add_option("--command", settings->commandLine, "Command32, written quoted");
  set->add_option("--path32", settings->path32, "Path32, written quoted");
  set->callback([context, hostPath, settings] {
    if (!settings->majorVer && !settings->name && !settings->commandLine && !settings->path32) {
      throw CLI::RequiredError("--major, --name, --command or --path32");
    }
    const int status = SetProject(context.toVbPath(*hostPath), *settings);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
