#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "cli/Commands.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "ui/frmCopyProject.h"

namespace zarvelin::cli {
namespace {

constexpr char kCopyHelp[] =
    "zarvelin copy PROJECT.vbp DIRECTORY copies a Visual Basic 6 project, with every file it\n"
    "lists, into DIRECTORY, as the add-in's Copy button does in the IDE: each form, module,\n"
    "class, user control, property page and designer is saved there with its .frx, .ctx, .pgx,\n"
    ".dsx and .dca companions, the resource file and related documents are copied, and the\n"
    "project file is saved there last, its component lines pointing at the copies and its\n"
    "compiled-output path (Path32) cleared. DIRECTORY must exist and must not be the project's\n"
    "own directory. The source project is never written.\n"
    "Exit status: 0 when the copy was finished, 1 when it was refused or failed.";

}  // namespace

int RunCopy(const CopyOptions& options) {
  filebacked::IdeConfiguration configuration;
  if (options.scc) configuration.addIns.push_back(filebacked::AddInEntry{"vbscc", true});
  std::unique_ptr<filebacked::FileBackedVBE> vbe;
  try {
    vbe = filebacked::OpenFileBackedIde(options.projectFile, configuration);
  } catch (const VbError& error) {
    std::cerr << "zarvelin copy: cannot open " << ShownControls(options.projectFile) << ": Error "
              << error.Number() << " " << ShownControls(error.Description()) << "\n";
    return 1;
  }

  // The dialog's own road: it loads for the open project, the directory is typed, Copy pressed.
  frmCopyProject dialog;
  dialog.SetVBInstance(vbe.get());
  dialog.SetQuiet(options.quiet);
  dialog.Load();
  dialog.txtDirectory().SetText(options.directory);
  dialog.Click(dialog.cmdCopy());
  const bool copied = dialog.LastCopySucceeded();
  if (copied) {
    for (const std::string& line : dialog.LastCopyRenamed()) {
      std::cout << "Saved under another name: " << line << "\n";
    }
  }
  dialog.Unload();
  return copied ? 0 : 1;
}

void RegisterCopyCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* copy = app.add_subcommand("copy", "Copy a project and all its files to a directory");
  copy->footer(kCopyHelp);
  auto hostProject = std::make_shared<std::string>();
  auto hostDirectory = std::make_shared<std::string>();
  auto options = std::make_shared<CopyOptions>();
  copy->add_option("project", *hostProject, "The project file (.vbp) to copy")->required();
  copy->add_option("directory", *hostDirectory, "The existing directory to copy it into")
      ->required();
  copy->add_flag("--scc", options->scc,
                 "Act as if a source-code-control add-in (vbscc) were installed: it is "
                 "disconnected during the copy and connected afterwards");
  copy->add_flag("--quiet", options->quiet,
                 "No progress bar and no closing message; refusals and errors still show");
  copy->callback([context, hostProject, hostDirectory, options] {
    CopyOptions run = *options;
    run.projectFile = context.toVbPath(*hostProject);
    context.useCodePageOf(run.projectFile);
    // A blank directory is the user's mistake for the dialog to refuse, never the current one.
    run.directory =
        Trim(*hostDirectory).empty() ? *hostDirectory : context.toVbPath(*hostDirectory);
    const int status = RunCopy(run);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
