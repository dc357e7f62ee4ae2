#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/CopyLineObserver.h"
#include "cli/CopyResultJson.h"
#include "cli/CopyWords.h"
#include "cli/GroupCopyCommand.h"
#include "cli/ProgressLine.h"
#include "cli/ShowGroup.h"
#include "cli/ShownPaths.h"
#include "copy/CheckCopyCommand.h"
#include "copy/CopyProject.h"
#include "copy/CopySafeguard.h"
#include "copy/CopyTexts.h"
#include "copy/KeptTree.h"
#include "filebacked/FileBackedIde.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "support/mMain.h"

namespace zarvelin::cli {
namespace {

constexpr char kCopyHelp[] =
    "zarvelin copy PROJECT.vbp DIRECTORY copies a Visual Basic 6 project, with every file it\n"
    "lists, into DIRECTORY, as the add-in's Copy button does in the IDE: each form, module,\n"
    "class, user control, property page and designer is saved there with its .frx, .ctx, .pgx,\n"
    ".dsx and .dca companions, the resource file and related documents are copied, and the\n"
    "project file is saved there last, its component lines pointing at the copies and its\n"
    "compiled-output path (Path32) cleared. DIRECTORY must exist (or be made with --mkdir) and\n"
    "must not be the project's own directory. The source project is never written. A copy that\n"
    "stops leaves DIRECTORY as it was; zarvelin copy --recover DIRECTORY puts back what a killed\n"
    "copy left aside. With --keep-tree the files keep their folders: the lowest folder holding\n"
    "them all becomes DIRECTORY, so a module shared from another folder stays shared (a group's\n"
    "projects share one copy of it). Progress is drawn on standard error when it is a terminal;\n"
    "lists of files go to standard output, messages and errors to standard error.\n"
    "Exit status: 0 when the copy was finished (with --dry-run: would be), 1 when it was refused\n"
    "or failed, 2 for a mistake in the command line.";

// What the copy did, for the one who typed the command: the files behind it on the normal
// output, and (unless quiet) the closing message, paths as typed.
void TellFinished(const CopyOptions& options, const copy::CopyResult& result,
                  const ShownPaths& shown, std::ostream& out) {
  ListResult(result, shown,
             {"Wrote: ", "Saved under another name: ", "Replaced: ", "Left out, missing: "},
             options.verbose, out);
  if (options.quiet) return;
  std::cerr << "Project: " << ShownControls(options.givenProject) << "\n"
            << "Copied to directory: " << ShownControls(options.givenDirectory) << "\n";
  if (!result.replaced.empty()) {
    std::cerr << "Replaced " << result.replaced.size()
              << " files that were already in the copy directory.\n";
  }
}

void TellPlanned(const copy::CopyResult& result, const ShownPaths& shown, std::ostream& out) {
  ListResult(result, shown,
             {"Would write: ", "Would save under another name: ", "Would replace: ",
              "Would leave out, missing: "},
             true, out);
}

}  // namespace

int RunCopy(const CopyOptions& options, const CommandContext& context) {
  const bool isGroup = IsGroupFile(options.projectFile);
  if (isGroup && (options.dryRun || options.json)) {
    std::cerr << "zarvelin copy: --dry-run and --json take a project file (.vbp), not a group\n";
    return 1;
  }
  if (!CheckInWords(options)) return 1;
  if (isGroup) return RunGroupCopy(options, context);
  filebacked::IdeConfiguration configuration;
  if (options.scc) configuration.addIns.push_back(filebacked::AddInEntry{"vbscc", true});
  std::unique_ptr<filebacked::FileBackedVBE> vbe;
  try {
    vbe = filebacked::OpenFileBackedIde(options.projectFile, configuration);
  } catch (const VbError& error) {
    RefuseFailure(options.givenProject, error,
                  ShownPaths({options.projectFile, options.givenProject, options.directory,
                              options.givenDirectory},
                             context.toHostPath));
    return 1;
  }

  std::ostream& out = *context.out;
  bool finished = false;
  StartReportRound();
  Trap(copy::kModule, "cmdCopy_Click", [&](Erl& erl) {
    erl = 10;
    std::optional<copy::CopyCommand> command = copy::CheckCopyCommand(*vbe, options.directory);
    if (!command) return;
    command->request.skipMissingDocs = options.skipMissingDocs;
    const ShownPaths shown({command->projectFile, options.givenProject,
                            command->request.copyDirectory, options.givenDirectory},
                           context.toHostPath);
    if (options.keepTree) {
      erl = 20;
      const TreeLayout::Layout tree =
          copy::LayOutTree({command->projectFile}, {}, command->request.copyDirectory,
                           options.skipMissingDocs, shown);
      if (!tree.refusal.empty()) {
        std::cerr << "zarvelin copy: " << ShownControls(tree.refusal) << "\n";
        return;
      }
      command->request.treeRoot = tree.root;
    }

    erl = 30;
    const std::shared_ptr<ide::VBProject> project = vbe->ActiveVBProject();
    copy::CopyResult result;
    std::string firstMessage;
    if (options.dryRun) {
      result = copy::PlanCopy(*project, command->request);
    } else {
      std::optional<ProgressLine> progress;
      if (options.progress) progress.emplace(std::cerr);
      CopyLineObserver observer(progress ? &*progress : nullptr);
      result = copy::CopyProject(*vbe, *project, command->request, observer);
      firstMessage = observer.FirstMessage();
    }

    erl = 40;
    finished = result.finished;
    if (options.json) {
      WriteCopyResultJson(result, options.dryRun, shown, out);
    } else if (options.dryRun) {
      TellPlanned(result, shown, out);
    } else if (finished) {
      TellFinished(options, result, shown, out);
    }
    if (!finished) {
      TellWhyStopped(result, firstMessage, shown, options.dryRun);
      if (!options.dryRun) TellWhatWasLeft(result.notPutBack, shown);
    }
  });
  return finished ? 0 : 1;
}

int RecoverCopy(const std::string& directory, const std::string& givenDirectory,
                const CommandContext& context) {
  const std::unique_ptr<copy::CopySafeguard> safeguard = copy::MakeCopySafeguard();
  std::vector<copy::NotPutBack> notPutBack;
  try {
    notPutBack = safeguard->Recover(directory);
  } catch (const VbError& error) {
    Refuse(givenDirectory, "cannot be recovered: " + InWords(error));
    return 1;
  }
  for (const copy::NotPutBack& file : notPutBack) {
    *context.out << "Not put back: " << ShownControls(context.toHostPath(file.file))
                 << " is kept as " << ShownControls(context.toHostPath(file.keptAs)) << "\n";
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
  copy->add_option("directory", *hostDirectory, "The directory to copy it into");
  copy->add_flag("--mkdir", options->makeDirectory,
                 "Make the directory (and the directories above it) when it does not exist");
  copy->add_flag("--scc", options->scc,
                 "Act as if a source-code-control add-in (vbscc) were installed: it is "
                 "disconnected during the copy and connected afterwards");
  copy->add_flag("-n,--dry-run", options->dryRun,
                 "Plan the copy and say what it would write, rename and replace; write nothing");
  copy->add_flag("--json", options->json, "Write what the copy did (or would do) as JSON");
  copy->add_flag("--keep-tree", options->keepTree,
                 "Keep the folders the project's files lie in: the lowest folder holding them "
                 "all becomes DIRECTORY, so files shared from other folders stay shared");
  copy->add_flag("--skip-missing-docs", options->skipMissingDocs,
                 "Leave related documents that are missing out of the copied project file "
                 "instead of stopping the copy");
  copy->add_option("--recover", *recover,
                   "Put back what a killed copy into this directory left aside, and copy nothing")
      ->type_name("DIR");
  copy->callback([context, hostProject, hostDirectory, recover, options] {
    if (!recover->empty()) {
      if (!hostProject->empty()) throw CLI::ValidationError("--recover takes no project");
      context.startSession();
      const int status = RecoverCopy(context.toVbPath(*recover), *recover, context);
      if (status != 0) throw CLI::RuntimeError(status);
      return;
    }
    if (hostProject->empty() || Trim(*hostDirectory).empty()) {
      throw CLI::ValidationError("copy needs a project file and a directory");
    }
    CopyOptions run = *options;
    run.projectFile = context.toVbPath(*hostProject);
    context.useCodePageOf(run.projectFile);
    run.directory = context.toVbPath(*hostDirectory);
    run.givenProject = *hostProject;
    run.givenDirectory = *hostDirectory;
    run.quiet = context.options->quiet;
    run.verbose = context.options->verbose;
    run.progress = context.stderrIsTerminal && !run.quiet && !run.json;
    const int status = RunCopy(run, context);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
