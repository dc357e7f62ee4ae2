#include "cli/GroupCopyCommand.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CopyLineObserver.h"
#include "copy/CheckCopyCommand.h"
#include "copy/CopyProject.h"
#include "copy/CopyTexts.h"
#include "copy/GroupCopy.h"
#include "copy/GroupSafeguard.h"
#include "copy/KeptTree.h"
#include "copy/ValidCopyDirectory.h"
#include "filebacked/FileBackedIde.h"
#include "platform/Platform.h"
#include "project/cVBG.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::cli {
namespace {

// The group file in the copy directory would be the source group file itself.
bool IsGroupFolder(const std::string& sCopyDirectory, const std::string& sGroupFolder) {
  return Files().SameFile(sCopyDirectory + "\\", sGroupFolder + "\\");
}

void TellNotPutBack(const std::string& sStopped, const std::vector<copy::NotPutBack>& notPutBack) {
  std::string text = sStopped + std::string(copy::kCrLf) + "The copy directory was left as it was.";
  if (!notPutBack.empty()) {
    text = sStopped + std::string(copy::kCrLf) +
           "These files of the copy directory could not be put back:";
    for (const copy::NotPutBack& file : notPutBack) {
      text += std::string(copy::kCrLf) + file.file + " is kept as " + file.keptAs;
    }
  }
  Sys().MsgBox(text, std::string(App().title), mb::kInformation);
}

// What the group copy did, for the one who typed the command.
void TellFinished(const CopyOptions& options, const std::vector<GroupCopy::ProjectTarget>& targets,
                  const std::vector<copy::CopyResult>& results,
                  const std::vector<std::string>& replaced, std::ostream& out) {
  if (!options.quiet) {
    std::string text = "Group:" + std::string(copy::kCrLf) + options.projectFile +
                       std::string(copy::kCrLf) +
                       "Copied to directory:" + std::string(copy::kCrLf) + options.directory;
    if (!replaced.empty()) {
      text += std::string(copy::kCrLf) + "Replaced " + std::to_string(replaced.size()) +
              " files that were already in the copy directory.";
    }
    Sys().MsgBox(text, "Zarvelin", mb::kInformation);
  }
  for (const GroupCopy::ProjectTarget& target : targets) {
    out << "Copied project: " << ShownControls(target.projectFile) << "\n";
  }
  for (const copy::CopyResult& result : results) {
    for (const copy::Renaming& renaming : result.renamed) {
      out << "Saved under another name: " << ShownControls(renaming.source) << " -> "
          << ShownControls(renaming.name) << "\n";
    }
    for (const std::string& file : result.skipped) {
      out << "Left out, missing: " << ShownControls(file) << "\n";
    }
  }
  for (const std::string& file : replaced) out << "Replaced: " << ShownControls(file) << "\n";
}

}  // namespace

int RunGroupCopy(const CopyOptions& options, std::ostream& out) {
  if (options.dryRun || options.json) {
    std::cerr << "zarvelin copy: --dry-run and --json take a project file (.vbp), not a group\n";
    return 1;
  }
  std::optional<cVBG> group;
  try {
    group = cVBG::Read(options.projectFile);
  } catch (const VbError& error) {
    std::cerr << "zarvelin copy: cannot open " << ShownControls(options.projectFile) << ": Error "
              << error.Number() << " " << ShownControls(error.Description()) << "\n";
    return 1;
  }
  filebacked::IdeConfiguration configuration;
  if (options.scc) configuration.addIns.push_back(filebacked::AddInEntry{"vbscc", true});

  bool finished = false;
  StartReportRound();
  Trap(copy::kModule, "cmdCopy_Click", [&](Erl& erl) {
    erl = 10;
    const std::string sGroupFolder = DirectoryOf(group->VBGFile());
    if (!copy::ValidCopyDirectory(options.directory, sGroupFolder)) return;
    if (IsGroupFolder(options.directory, sGroupFolder)) {
      copy::RefuseProjectDirectory();
      return;
    }
    erl = 20;
    std::string sRefusal = GroupCopy::Refusal(*group, {});
    std::string sTreeRoot;
    if (sRefusal.empty() && options.keepTree) {
      std::vector<std::string> projectFiles;
      for (const GroupProject& project : group->Projects()) projectFiles.push_back(project.path);
      const TreeLayout::Layout tree = copy::LayOutTree(projectFiles, {group->VBGFile()},
                                                       options.directory, options.skipMissingDocs);
      sRefusal = tree.refusal;
      sTreeRoot = tree.root;
    }
    const std::vector<GroupCopy::ProjectTarget> targets =
        options.keepTree ? GroupCopy::TreeTargets(*group, options.directory, sTreeRoot)
                         : GroupCopy::SubfolderTargets(*group, options.directory);
    if (sRefusal.empty()) sRefusal = GroupCopy::Refusal(*group, targets);
    if (!sRefusal.empty()) {
      Sys().MsgBox(sRefusal, "Zarvelin", mb::kInformation);
      return;
    }
    const std::string sGroupFileName = GroupCopy::GroupFileName(*group, sTreeRoot);
    // A kept tree's copies make the folders they write to, under the group's one journal.
    std::vector<std::string> folders;
    if (!options.keepTree) {
      for (const GroupCopy::ProjectTarget& target : targets) folders.push_back(target.folder);
    }
    copy::GroupSafeguard safeguard(options.keepTree
                                       ? copy::GroupSafeguard::Journals::Shared
                                       : copy::GroupSafeguard::Journals::OnePerProject);
    const std::vector<copy::NotPutBack> leftByAKilledCopy =
        safeguard.Begin(options.directory, sGroupFileName, folders);
    if (!leftByAKilledCopy.empty()) {
      TellNotPutBack("A stopped copy's files could not be put back.", leftByAKilledCopy);
      return;
    }

    erl = 30;
    std::vector<copy::CopyResult> results;
    std::string sStoppedProject;
    const auto copyOne = [&](const GroupProject& project, const GroupCopy::ProjectTarget& target) {
      sStoppedProject = project.path;
      std::unique_ptr<filebacked::FileBackedVBE> vbe;
      try {
        vbe = filebacked::OpenFileBackedIde(project.path, configuration);
      } catch (const VbError& error) {
        std::cerr << "zarvelin copy: cannot open " << ShownControls(project.path) << ": Error "
                  << error.Number() << " " << ShownControls(error.Description()) << "\n";
        return false;
      }
      // A kept tree's copies all go into the copy directory, each file at its place below the root.
      std::optional<copy::CopyCommand> command =
          copy::CheckCopyCommand(*vbe, options.keepTree ? options.directory : target.folder);
      if (!command) return false;
      command->request.treeRoot = sTreeRoot;
      command->request.skipMissingDocs = options.skipMissingDocs;
      command->request.reopenSource = false;
      command->request.safeguard = &safeguard.ForNextProject();
      CopyLineObserver observer(nullptr);
      results.push_back(
          copy::CopyProject(*vbe, *vbe->ActiveVBProject(), command->request, observer));
      if (!results.back().finished) {
        // The stopped project's own words, on one line: why the group was not copied.
        std::string why = observer.FirstMessage();
        for (size_t at; (at = why.find("\r\n")) != std::string::npos;) why.replace(at, 2, " ");
        std::cerr << "zarvelin copy: " << ShownControls(why) << "\n";
      }
      return results.back().finished;
    };
    GroupCopy::Outcome outcome;
    try {
      outcome = GroupCopy::CopyGroup(*group, targets, JoinPath(options.directory, sGroupFileName),
                                     copyOne,
                                     options.keepTree ? GroupCopy::TargetFolders::LeftToTheCopies
                                                      : GroupCopy::TargetFolders::Make);
    } catch (const VbError&) {
      // The failure is reported by the trap; the copy directory is put back first.
      TellNotPutBack("The group was not copied.", safeguard.Rollback());
      throw;
    }

    erl = 40;
    if (!outcome.finished) {
      TellNotPutBack("The copy of the project" + std::string(copy::kCrLf) + sStoppedProject +
                         std::string(copy::kCrLf) + "stopped, so the group was not copied.",
                     safeguard.Rollback());
      return;
    }
    erl = 50;
    const std::vector<std::string> replaced = safeguard.Commit();
    finished = true;
    TellFinished(options, targets, results, replaced, out);
  });
  return finished ? 0 : 1;
}

}  // namespace zarvelin::cli
