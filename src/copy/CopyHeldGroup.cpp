#include "copy/CopyHeldGroup.h"

#include <memory>

#include "copy/CheckCopyCommand.h"
#include "copy/CopyProject.h"
#include "copy/CopySafeguard.h"
#include "copy/CopyTexts.h"
#include "copy/GroupCopy.h"
#include "copy/GroupSafeguard.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The name VB gives a group that was never saved.
constexpr std::string_view kUnsavedGroupName = "Group1.vbg";

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
  const std::string groupFileName = GroupFileName(command.held);
  const std::string groupFile = JoinPath(command.copyDirectory, groupFileName);
  // A refused group is never touched.
  if (const std::string refusal = GroupCopy::Refusal(group, targets); !refusal.empty()) {
    observer.MsgBox(refusal, std::string(App().title), mb::kExclamation);
    return result;
  }
  std::vector<std::string> folders;
  for (const GroupCopy::ProjectTarget& target : targets) folders.push_back(target.folder);
  GroupSafeguard safeguard;
  if (const std::vector<NotPutBack> left =
          safeguard.Begin(command.copyDirectory, groupFileName, folders);
      !left.empty()) {
    TellNotTakenBack(left, observer);
    return result;
  }
  bool stopRequested = false;

  const auto copyProject = [&](const GroupProject& source, const GroupCopy::ProjectTarget& target) {
    const std::shared_ptr<ide::VBProject> project = OpenProject(vbe, source.path);
    CopyRequest request;
    request.copyDirectory = target.folder;
    request.projectDirectory = DirectoryOf(source.path);
    request.projectFileName = FileNameOf(source.path);
    request.reopenSource = false;
    request.safeguard = &safeguard.ForNextProject();
    result.projects.push_back(CopyProject(vbe, *project, request, observer));
    const CopyResult& copied = result.projects.back();
    stopRequested = copied.step == CopyStep::Stopped;
    result.renamed.insert(result.renamed.end(), copied.renamed.begin(), copied.renamed.end());
    return copied.finished;
  };

  // Whatever ends the group copy early, the projects copied so far are taken back.
  GroupCopy::Outcome outcome;
  try {
    outcome = GroupCopy::CopyGroup(group, targets, groupFile, copyProject);
  } catch (...) {
    TellNotTakenBack(safeguard.Rollback(), observer);
    if (!stopRequested) HeldGroup::Reopen(vbe, command.held);
    throw;
  }
  if (!outcome.refusal.empty()) {
    observer.MsgBox(outcome.refusal, std::string(App().title), mb::kExclamation);
  }
  if (outcome.finished) {
    result.replaced = safeguard.Commit();
    result.groupFile = groupFile;
    result.finished = true;
  } else {
    TellNotTakenBack(safeguard.Rollback(), observer);
  }
  // A copy stopped from outside (the add-in going away) makes no further IDE call.
  if (outcome.refusal.empty() && !stopRequested) HeldGroup::Reopen(vbe, command.held);
  return result;
}

}  // namespace zarvelin::copy
