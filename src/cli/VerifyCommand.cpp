#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ShowGroup.h"
#include "cli/ShownPaths.h"
#include "copy/VerifyCopy.h"
#include "copy/VerifyGroup.h"

namespace zarvelin::cli {

void RegisterVerifyCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* verify =
      app.add_subcommand("verify", "Check that a copy directory holds a complete, faithful copy");
  auto hostProject = std::make_shared<std::string>();
  auto hostDirectory = std::make_shared<std::string>();
  auto options = std::make_shared<copy::VerifyOptions>();
  verify->add_option("project", *hostProject, "The source project file (.vbp) or group file (.vbg)")
      ->required();
  verify->add_option("directory", *hostDirectory, "The copy directory")->required();
  verify->add_flag("--ide-saved", options->ideSaved,
                   "The IDE saved the copy: forms and companions need only be there, and "
                   "components' code lines equal");
  verify->add_flag("--skip-missing-docs", options->skipMissingDocs,
                   "The copy left out the related documents that were missing");
  verify->add_flag("--keep-tree", options->keepTree,
                   "The copy kept the folder tree (copy --keep-tree): each file is sought at its "
                   "place below the directory");
  verify->callback([context, hostProject, hostDirectory, options] {
    const std::string projectFile = context.toVbPath(*hostProject);
    context.useCodePageOf(projectFile);
    const std::string copyDirectory = context.toVbPath(*hostDirectory);
    copy::VerifyOptions run = *options;
    const ShownPaths shown({projectFile, *hostProject, copyDirectory, *hostDirectory},
                           context.toHostPath);
    run.shownPath = [&shown](const std::string& path) { return shown(path); };
    const std::vector<std::string> differences =
        IsGroupFile(projectFile) ? copy::VerifyGroup(projectFile, copyDirectory, run)
                                 : copy::VerifyCopy(projectFile, copyDirectory, run);
    for (const std::string& difference : differences) *context.out << difference << '\n';
    if (!differences.empty()) {
      *context.out << differences.size()
                   << (differences.size() == 1 ? " difference" : " differences") << ".\n";
      throw CLI::RuntimeError(1);
    }
    *context.out << "The copy is complete and faithful.\n";
  });
}

}  // namespace zarvelin::cli
