#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ide/Vbide.h"
#include "project/cVBG.h"

// The projects the IDE holds, as a group copy takes them and gives them back: which project files,
// the group file if they were saved as one, and which project is the start-up and which the active
// one.
namespace zarvelin::HeldGroup {

struct Held {
  // Empty when the projects were never saved as a group.
  std::string groupFile;
  std::vector<std::string> projectFiles;
  size_t startup = 0;
  size_t active = 0;
  // Why the group cannot be copied (a project never saved); empty when it can.
  std::string refusal;
};

// What the IDE holds now.
Held Take(ide::VBE& vbe);

// The group to copy: the group file as read, or a group made of the projects held.
cVBG GroupOf(const Held& held);

// Opens the projects again as they were held: the group file (or each project file, the first
// alone and the others beside it), then the start-up and the active project as they were.
void Reopen(ide::VBE& vbe, const Held& held);

}  // namespace zarvelin::HeldGroup
