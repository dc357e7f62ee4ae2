#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "copy/CopyObserver.h"
#include "copy/CopyResult.h"
#include "copy/HeldGroup.h"
#include "ide/Vbide.h"

// The copy of every project the IDE holds: each through the copy engine into a subfolder of its
// own, the group file last, then the source group opened again as it was. All or nothing: when
// one project stops, the projects copied before it are taken back as well.
namespace zarvelin::copy {

struct GroupCopyCommand {
  HeldGroup::Held held;
  std::string copyDirectory;
};

// Checks that every project was saved and has no unsaved changes, and that the typed copy
// directory may receive the copy; nothing when the copy must not start (the user has been told
// why).
std::optional<GroupCopyCommand> CheckGroupCopyCommand(ide::VBE& vbe,
                                                      const std::string& sTypedDirectory);

struct GroupCopyResult {
  bool finished = false;
  // One result for each project the copy went through, in the group's order.
  std::vector<CopyResult> projects;
  // The group file the copy wrote.
  std::string groupFile;
  std::vector<Renaming> renamed;
  // Files that stood in the copy's folders before and now hold the copy's files.
  std::vector<std::string> replaced;
};

GroupCopyResult CopyHeldGroup(ide::VBE& vbe, const GroupCopyCommand& command,
                              CopyObserver& observer);

}  // namespace zarvelin::copy
