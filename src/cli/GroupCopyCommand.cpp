#include "cli/GroupCopyCommand.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CopyLineObserver.h"
#include "cli/CopyWords.h"
#include "copy/CheckCopyCommand.h"
#include "copy/CopyProject.h"
#include "copy/CopyTexts.h"
#include "copy/GroupCopy.h"
#include "copy/GroupSafeguard.h"
#include "copy/KeptTree.h"
#include "filebacked/FileBackedIde.h"
#include "platform/Platform.h"
#include "project/cVBG.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::cli {
namespace {

// Where the group's copy goes: each project's folder (or, keeping the tree, its place below the
// root) and the group file's name in the copy directory. A refusal names what stops it.
struct GroupPlan {
  std::string refusal;
  std::string treeRoot;
  std::vector<GroupCopy::ProjectTarget> targets;
  std::string groupFileName;
};

GroupPlan PlanGroup(const cVBG& group, const CopyOptions& options, const ShownPaths& shown) {
  GroupPlan plan;
  plan.refusal = GroupCopy::Refusal(group, {}, shown);
  if (!plan.refusal.empty()) return plan;
  if (options.keepTree) {
    std::vector<std::string> projectFiles;
    for (const GroupProject& project : group.Projects()) projectFiles.push_back(project.path);
    const TreeLayout::Layout tree = copy::LayOutTree(
        projectFiles, {group.VBGFile()}, options.directory, options.skipMissingDocs, shown);
    plan.refusal = tree.refusal;
    plan.treeRoot = tree.root;
    if (!plan.refusal.empty()) return plan;
  }
  plan.targets = options.keepTree ? GroupCopy::TreeTargets(group, options.directory, plan.treeRoot)
                                  : GroupCopy::SubfolderTargets(group, options.directory);
  plan.refusal = GroupCopy::Refusal(group, plan.targets, shown);
  plan.groupFileName = GroupCopy::GroupFileName(group, plan.treeRoot);
  return plan;
}

// What the group copy did, for the one who typed the command: the projects copied and the files
// behind each on the normal output, and (unless quiet) the closing message, paths as typed.
void TellFinished(const CopyOptions& options, const GroupPlan& plan,
                  const std::vector<copy::CopyResult>& results,
                  const std::vector<std::string>& replaced, const ShownPaths& shown,
                  std::ostream& out) {
  for (const GroupCopy::ProjectTarget& target : plan.targets) {
    out << "Copied project: " << ShownControls(shown(target.projectFile)) << "\n";
  }
  copy::CopyResult all;
  for (const copy::CopyResult& result : results) {
    all.renamed.insert(all.renamed.end(), result.renamed.begin(), result.renamed.end());
    all.skipped.insert(all.skipped.end(), result.skipped.begin(), result.skipped.end());
  }
  all.replaced = replaced;
  ListResult(all, shown,
             {"Wrote: ", "Saved under another name: ", "Replaced: ", "Left out, missing: "}, false,
             out);
  if (options.quiet) return;
  std::cerr << "Group: " << ShownControls(options.givenProject) << "\n"
            << "Copied to directory: " << ShownControls(options.givenDirectory) << "\n";
  if (!replaced.empty()) {
    std::cerr << "Replaced " << replaced.size()
              << " files that were already in the copy directory.\n";
  }
}

}  // namespace

int RunGroupCopy(const CopyOptions& options, const CommandContext& context) {
  std::optional<cVBG> group;
  const ShownPaths shown(
      {options.projectFile, options.givenProject, options.directory, options.givenDirectory},
      context.toHostPath);
  try {
    group = cVBG::Read(options.projectFile);
  } catch (const VbError& error) {
    RefuseFailure(options.givenProject, error, shown);
    return 1;
  }
  filebacked::IdeConfiguration configuration;
  if (options.scc) configuration.addIns.push_back(filebacked::AddInEntry{"vbscc", true});

  bool finished = false;
  StartReportRound();
  Trap(copy::kModule, "cmdCopy_Click", [&](Erl& erl) {
    erl = 20;
    const GroupPlan plan = PlanGroup(*group, options, shown);
    if (!plan.refusal.empty()) {
      std::cerr << "zarvelin copy: " << ShownControls(OneLine(plan.refusal)) << "\n";
      return;
    }
    // A kept tree's copies make the folders they write to, under the group's one journal.
    std::vector<std::string> folders;
    if (!options.keepTree) {
      for (const GroupCopy::ProjectTarget& target : plan.targets) folders.push_back(target.folder);
    }
    copy::GroupSafeguard safeguard(options.keepTree
                                       ? copy::GroupSafeguard::Journals::Shared
                                       : copy::GroupSafeguard::Journals::OnePerProject);
    const std::vector<copy::NotPutBack> leftByAKilledCopy =
        safeguard.Begin(options.directory, plan.groupFileName, folders);
    if (!leftByAKilledCopy.empty()) {
      std::cerr << "zarvelin copy: a stopped copy's files could not be put back\n";
      TellWhatWasLeft(leftByAKilledCopy, shown);
      return;
    }

    erl = 30;
    std::vector<copy::CopyResult> results;
    const auto groupNotCopied = [&](const GroupProject& project) {
      std::cerr << "zarvelin copy: " << ShownControls(shown(project.path))
                << ": its copy stopped, so the group was not copied\n";
      return false;
    };
    const auto copyOne = [&](const GroupProject& project, const GroupCopy::ProjectTarget& target) {
      std::unique_ptr<filebacked::FileBackedVBE> vbe;
      try {
        vbe = filebacked::OpenFileBackedIde(project.path, configuration);
      } catch (const VbError& error) {
        RefuseFailure(shown(project.path), error, shown);
        return groupNotCopied(project);
      }
      // A kept tree's copies all go into the copy directory, each file at its place below the
      // root.
      std::optional<copy::CopyCommand> command =
          copy::CheckCopyCommand(*vbe, options.keepTree ? options.directory : target.folder);
      if (!command) return groupNotCopied(project);
      command->request.treeRoot = plan.treeRoot;
      command->request.skipMissingDocs = options.skipMissingDocs;
      command->request.reopenSource = false;
      command->request.safeguard = &safeguard.ForNextProject();
      CopyLineObserver observer(nullptr);
      results.push_back(
          copy::CopyProject(*vbe, *vbe->ActiveVBProject(), command->request, observer));
      if (results.back().finished) return true;
      TellWhyStopped(results.back(), observer.FirstMessage(), shown, false);
      return groupNotCopied(project);
    };
    GroupCopy::Outcome outcome;
    try {
      outcome = GroupCopy::CopyGroup(*group, plan.targets,
                                     JoinPath(options.directory, plan.groupFileName), copyOne,
                                     options.keepTree ? GroupCopy::TargetFolders::LeftToTheCopies
                                                      : GroupCopy::TargetFolders::Make);
    } catch (const VbError&) {
      // The failure is reported by the trap; the copy directory is put back first.
      TellWhatWasLeft(safeguard.Rollback(), shown);
      throw;
    }

    erl = 40;
    if (!outcome.finished) {
      TellWhatWasLeft(safeguard.Rollback(), shown);
      return;
    }
    erl = 50;
    const std::vector<std::string> replaced = safeguard.Commit();
    finished = true;
    TellFinished(options, plan, results, replaced, shown, *context.out);
  });
  return finished ? 0 : 1;
}

}  // namespace zarvelin::cli
