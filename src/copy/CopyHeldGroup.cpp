#include "copy/CopyHeldGroup.h"

#include <memory>
#include <utility>

#include "copy/CopyCommand.h"
#include "copy/CopyProject.h"
#include "copy/CopySafeguard.h"
#include "copy/CopyTexts.h"
#include "copy/GroupCopy.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The name VB gives a group that was never saved.
constexpr std::string_view kUnsavedGroupName = "Group1.vbg";

// One project's safeguard whose finished copy is kept open until the whole group is settled:
// the files it replaced stay aside, so a later project's stop can still put them back.
class HeldBackSafeguard : public CopySafeguard {
 public:
  void Begin(const std::string& copyDirectory, const std::vector<std::string>& plannedTargetNames,
             const std::vector<std::string>& reservedNames) override {
    inner_->Begin(copyDirectory, plannedTargetNames, reservedNames);
  }
  std::vector<std::string> Commit() override {
    pending_ = true;
    return {};
  }
  std::vector<NotPutBack> Rollback() override { return inner_->Rollback(); }
  std::vector<NotPutBack> Recover(const std::string& copyDirectory) override {
    return inner_->Recover(copyDirectory);
  }

  // The group finished: what the project's copy replaced.
  std::vector<std::string> Settle() {
    if (!std::exchange(pending_, false)) return {};
    return inner_->Commit();
  }
  // The group stopped: a finished copy of the project is taken back.
  std::vector<NotPutBack> TakeBack() {
    if (!std::exchange(pending_, false)) return {};
    return inner_->Rollback();
  }

 private:
  std::unique_ptr<CopySafeguard> inner_ = MakeCopySafeguard();
  bool pending_ = false;
};

// The IDE hands out a fresh object for a project at each call: the project is found by its file.
std::shared_ptr<ide::VBProject> OpenProject(ide::VBE& vbe, const std::string& projectFile) {
  ide::VBProjects& projects = vbe.Projects();
  const int32_t count = projects.Count();
  for (int32_t index = 1; index <= count; ++index) {
    std::shared_ptr<ide::VBProject> project = projects.Item(index);
    if (EqualNoCase(project->FileName(), projectFile)) return project;
  }
  throw VbError(vberr::kInvalidProcedureCall, "The project " + projectFile + " is not open.");
}

std::string GroupFileName(const HeldGroup::Held& held) {
  return held.groupFile.empty() ? std::string(kUnsavedGroupName) : FileNameOf(held.groupFile);
}

void TellNotTakenBack(const std::vector<NotPutBack>& files, CopyObserver& observer) {
  if (files.empty()) return;
  std::string text = "These files of the copy directory could not be put back:";
  for (const NotPutBack& file : files) {
    text += std::string(kCrLf) + file.file + " is kept as " + file.keptAs;
  }
  observer.MsgBox(text, std::string(App().title), mb::kInformation);
}

}  // namespace

std::optional<GroupCopyCommand> CheckGroupCopyCommand(ide::VBE& vbe,
                                                      const std::string& sTypedDirectory) {
  GroupCopyCommand command{HeldGroup::Take(vbe), {}};
  if (!command.held.refusal.empty()) {
    Sys().MsgBox(command.held.refusal, "Zarvelin", mb::kInformation);
    return std::nullopt;
  }
  ide::VBProjects& projects = vbe.Projects();
  const int32_t count = projects.Count();
  for (int32_t index = 1; index <= count; ++index) {
    if (RefusedForUnsavedChanges(*projects.Item(index))) return std::nullopt;
  }
  // The directory checks of a single copy, made against the active project.
  const std::optional<CopyCommand> single = CheckCopyCommand(vbe, sTypedDirectory);
  if (!single) return std::nullopt;
  command.copyDirectory = single->request.copyDirectory;
  return command;
}

GroupCopyResult CopyHeldGroup(ide::VBE& vbe, const GroupCopyCommand& command,
                              CopyObserver& observer) {
  GroupCopyResult result;
  const cVBG group = HeldGroup::GroupOf(command.held);
  const std::vector<GroupCopy::ProjectTarget> targets =
      GroupCopy::SubfolderTargets(group, command.copyDirectory);
  const std::string groupFile = JoinPath(command.copyDirectory, GroupFileName(command.held));
  std::vector<std::unique_ptr<HeldBackSafeguard>> safeguards;
  bool stopRequested = false;

  const auto copyProject = [&](const GroupProject& source, const GroupCopy::ProjectTarget& target) {
    const std::shared_ptr<ide::VBProject> project = OpenProject(vbe, source.path);
    CopyRequest request;
    request.copyDirectory = target.folder;
    request.projectDirectory = DirectoryOf(source.path);
    request.projectFileName = FileNameOf(source.path);
    request.reopenSource = false;
    safeguards.push_back(std::make_unique<HeldBackSafeguard>());
    request.safeguard = safeguards.back().get();
    result.projects.push_back(CopyProject(vbe, *project, request, observer));
    const CopyResult& copied = result.projects.back();
    stopRequested = copied.step == CopyStep::Stopped;
    result.renamed.insert(result.renamed.end(), copied.renamed.begin(), copied.renamed.end());
    return copied.finished;
  };

  // Whatever ends the group copy early, the projects copied so far are taken back.
  const auto takeBack = [&] {
    std::vector<NotPutBack> notPutBack;
    for (const auto& safeguard : safeguards) {
      for (NotPutBack& file : safeguard->TakeBack()) notPutBack.push_back(std::move(file));
    }
    TellNotTakenBack(notPutBack, observer);
  };
  GroupCopy::Outcome outcome;
  try {
    outcome = GroupCopy::CopyGroup(group, targets, groupFile, copyProject);
  } catch (...) {
    takeBack();
    if (!stopRequested) HeldGroup::Reopen(vbe, command.held);
    throw;
  }
  if (!outcome.refusal.empty()) {
    observer.MsgBox(outcome.refusal, std::string(App().title), mb::kExclamation);
  }
  if (outcome.finished) {
    for (const auto& safeguard : safeguards) {
      for (std::string& file : safeguard->Settle()) result.replaced.push_back(std::move(file));
    }
    result.groupFile = groupFile;
    result.finished = true;
  } else {
    takeBack();
  }
  // A refused group was never touched; a copy stopped from outside (the add-in going away) makes
  // no further IDE call.
  if (outcome.refusal.empty() && !stopRequested) HeldGroup::Reopen(vbe, command.held);
  return result;
}

}  // namespace zarvelin::copy
