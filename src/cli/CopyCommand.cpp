#include "copy/CopyCommand.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "cli/CopyLineObserver.h"
#include "cli/CopyResultJson.h"
#include "cli/GroupCopyCommand.h"
#include "cli/ShowGroup.h"
#include "copy/CopyProject.h"
#include "copy/CopySafeguard.h"
#include "copy/CopyTexts.h"
#include "filebacked/FileBackedIde.h"
#include "platform/Platform.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::cli {
namespace {

constexpr char kCopyHelp[] =
    "zarvelin copy PROJECT.vbp DIRECTORY copies a Visual Basic 6 project, with every file it\n"
    "lists, into DIRECTORY, as the add-in's Copy button does in the IDE: each form, module,\n"
    "class, user control, property page and designer is saved there with its .frx, .ctx, .pgx,\n"
    ".dsx and .dca companions, the resource file and related documents are copied, and the\n"
    "project file is saved there last, its component lines pointing at the copies and its\n"
    "compiled-output path (Path32) cleared. DIRECTORY must exist and must not be the project's\n"
    "own directory. The source project is never written. A copy that stops leaves DIRECTORY as\n"
    "it was; zarvelin copy --recover DIRECTORY puts back what a killed copy left aside.\n"
    "Exit status: 0 when the copy was finished (with --dry-run: would be), 1 when it was refused\n"
    "or failed.";

// What the copy did, for the one who typed the command: the closing message as the dialog shows
// it, and the files behind its counts on the normal output.
void TellFinished(const copy::CopyCommand& command, const CopyOptions& options,
                  const copy::CopyResult& result, std::ostream& out) {
  if (!options.quiet) {
    Sys().MsgBox(copy::ClosingMessage(command.projectFile, options.directory, result), "Zarvelin",
                 mb::kInformation);
  }
  for (const copy::Renaming& renaming : result.renamed) {
    out << "Saved under another name: " << ShownControls(renaming.source) << " -> "
        << ShownControls(renaming.name) << "\n";
  }
  for (const std::string& file : result.replaced) {
    out << "Replaced: " << ShownControls(file) << "\n";
  }
  for (const std::string& file : result.skipped) {
    out << "Left out, missing: " << ShownControls(file) << "\n";
  }
}

void TellPlanned(const copy::CopyResult& result, std::ostream& out) {
  for (const copy::WrittenFile& file : result.written) {
    out << "Would write: " << ShownControls(file.path) << "\n";
  }
  for (const copy::Renaming& renaming : result.renamed) {
    out << "Would save under another name: " << ShownControls(renaming.source) << " -> "
        << ShownControls(renaming.name) << "\n";
  }
  for (const std::string& file : result.replaced) {
    out << "Would replace: " << ShownControls(file) << "\n";
  }
  for (const std::string& file : result.skipped) {
    out << "Would leave out, missing: " << ShownControls(file) << "\n";
  }
}

void TellStopped(const copy::CopyResult& result) {
  std::cerr << "zarvelin copy: the copy would stop at its " << copy::CopyStepName(result.step)
            << ": " << ShownControls(result.reason);
  if (result.errorNumber != 0) std::cerr << " (Error " << result.errorNumber << ")";
  if (!result.file.empty()) std::cerr << ": " << ShownControls(result.file);
  std::cerr << "\n";
}

}  // namespace

int RunCopy(const CopyOptions& options, std::ostream& out) {
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

  bool finished = false;
  StartReportRound();
  Trap(copy::kModule, "cmdCopy_Click", [&](Erl& erl) {
    erl = 10;
    std::optional<copy::CopyCommand> command = copy::CheckCopyCommand(*vbe, options.directory);
    if (!command) return;
    command->request.skipMissingDocs = options.skipMissingDocs;

    erl = 30;
    const std::shared_ptr<ide::VBProject> project = vbe->ActiveVBProject();
    copy::CopyResult result;
    if (options.dryRun) {
      result = copy::PlanCopy(*project, command->request);
    } else {
      CopyLineObserver observer(std::cerr, options.quiet || options.json);
      result = copy::CopyProject(*vbe, *project, command->request, observer);
    }

    erl = 40;
    finished = result.finished;
    if (options.json) {
      WriteCopyResultJson(result, options.dryRun, command->request.copyDirectory,
                          options.givenDirectory, out);
    } else if (options.dryRun) {
      TellPlanned(result, out);
      if (!finished) TellStopped(result);
    } else if (finished) {
      TellFinished(*command, options, result, out);
    }
  });
  return finished ? 0 : 1;
}

int RecoverCopy(const std::string& directory, std::ostream& out) {
  const std::unique_ptr<copy::CopySafeguard> safeguard = copy::MakeCopySafeguard();
  std::vector<copy::NotPutBack> notPutBack;
  try {
    notPutBack = safeguard->Recover(directory);
  } catch (const VbError& error) {
    std::cerr << "zarvelin copy: cannot recover " << ShownControls(directory) << ": Error "
              << error.Number() << " " << ShownControls(error.Description()) << "\n";
    return 1;
  }
  for (const copy::NotPutBack& file : notPutBack) {
    out << "Not put back: " << ShownControls(file.file) << " is kept as "
        << ShownControls(file.keptAs) << "\n";
  }
  return notPutBack.empty() ? 0 : 1;
}

void RegisterCopyCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* copy = app.add_subcommand("copy", "Copy a project and all its files to a directory");
  copy->footer(kCopyHelp);
  auto hostProject = std::make_shared<std::string>();
  auto hostDirectory = std::make_shared<std::string>();
  auto recover = std::make_shared<std::string>();
  auto options = std::make_shared<CopyOptions>();
  copy->add_option("project", *hostProject, "The project file (.vbp) to copy");
  copy->add_option("directory", *hostDirectory, "The existing directory to copy it into");
  copy->add_flag("--scc", options->scc,
                 "Act as if a source-code-control add-in (vbscc) were installed: it is "
                 "disconnected during the copy and connected afterwards");
  copy->add_flag("--quiet", options->quiet,
                 "No progress bar and no closing message; refusals and errors still show");
  copy->add_flag("--dry-run", options->dryRun,
                 "Plan the copy and say what it would write, rename and replace; write nothing");
  copy->add_flag("--json", options->json, "Write what the copy did (or would do) as JSON");
  copy->add_flag("--skip-missing-docs", options->skipMissingDocs,
                 "Leave related documents that are missing out of the copied project file "
                 "instead of stopping the copy");
  copy->add_option("--recover", *recover,
                   "Put back what a killed copy into this directory left aside, and copy nothing");
  copy->callback([context, hostProject, hostDirectory, recover, options] {
    if (!recover->empty()) {
      if (!hostProject->empty()) throw CLI::ValidationError("--recover takes no project");
      context.startSession();
      const int status = RecoverCopy(context.toVbPath(*recover), *context.out);
      if (status != 0) throw CLI::RuntimeError(status);
      return;
    }
    if (hostProject->empty() || hostDirectory->empty()) {
      throw CLI::ValidationError("copy needs a project file and a directory");
    }
    CopyOptions run = *options;
    run.projectFile = context.toVbPath(*hostProject);
    context.useCodePageOf(run.projectFile);
    // A blank directory is the user's mistake for the check to refuse, never the current one.
    run.directory =
        Trim(*hostDirectory).empty() ? *hostDirectory : context.toVbPath(*hostDirectory);
    run.givenDirectory = *hostDirectory;
    const int status =
        IsGroupFile(run.projectFile) ? RunGroupCopy(run, *context.out) : RunCopy(run, *context.out);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
