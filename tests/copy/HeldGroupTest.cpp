#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "copy/HeldGroup.h"
#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/VbError.h"

// What a group copy takes from the IDE and how it gives the projects back, on the file-backed IDE:
// a group opened from its file and projects opened one beside the other, with the start-up and
// the active project moved away from where they opened.
namespace zarvelin {
namespace {

std::string Shown(const HeldGroup::Held& held) {
  std::string text = "[" + held.groupFile + "]";
  for (const std::string& file : held.projectFiles) text += " " + file;
  return text + " start " + std::to_string(held.startup) + " active " +
         std::to_string(held.active) + (held.refusal.empty() ? "" : " refused " + held.refusal);
}

TEST(HeldGroup, IsTakenAndReopenedAsItWas) {
  fakes::TestEnvironment env;
  env.files.Put("C:\\G\\Ctl\\Ctl.vbp", "Type=Control\r\n");
  env.files.Put("C:\\G\\Test\\Test.vbp", "Type=Exe\r\n");
  env.files.Put("C:\\G\\Lib\\Lib.vbp", "Type=OleDll\r\n");
  env.files.Put("C:\\G\\All.vbg",
                "VBGROUP 5.0\r\nProject=Ctl\\Ctl.vbp\r\nStartupProject=Test\\Test.vbp\r\n"
                "Project=Lib\\Lib.vbp\r\n");
  filebacked::FileBackedVBE vbe(filebacked::IdeConfiguration{});
  ide::VBProjects& projects = vbe.Projects();
  std::string transcript;
  const auto step = [&](const std::string& what, const std::function<std::string()>& action) {
    try {
      transcript += what + " -> " + action() + "\n";
    } catch (const VbError& error) {
      transcript += what + " -> error " + std::to_string(error.Number()) + "\n";
    }
  };
  const auto reopenAfterAnother = [&](const HeldGroup::Held& held) {
    projects.AddFromFile("C:\\G\\Ctl\\Ctl.vbp", true);
    HeldGroup::Reopen(vbe, held);
    return Shown(HeldGroup::Take(vbe));
  };

  projects.AddFromFile("C:\\G\\All.vbg", true);
  vbe.SetActiveVBProject(projects.Item(3));
  HeldGroup::Held group;
  step("group file", [&] {
    group = HeldGroup::Take(vbe);
    return Shown(group);
  });
  step("its group", [&] {
    return std::to_string(HeldGroup::GroupOf(group).Projects().size()) + " projects from " +
           HeldGroup::GroupOf(group).VBGFile();
  });
  step("reopened", [&] { return reopenAfterAnother(group); });

  projects.AddFromFile("C:\\G\\Lib\\Lib.vbp", true);
  projects.AddFromFile("C:\\G\\Ctl\\Ctl.vbp", false);
  projects.AddFromFile("C:\\G\\Test\\Test.vbp", false);
  projects.SetStartProject(projects.Item(3));
  vbe.SetActiveVBProject(projects.Item(2));
  HeldGroup::Held loose;
  step("projects side by side", [&] {
    loose = HeldGroup::Take(vbe);
    return Shown(loose);
  });
  step("their group", [&] {
    std::string text;
    const cVBG made = HeldGroup::GroupOf(loose);
    for (const GroupProject& project : made.Projects()) {
      text += (project.startup ? " *" : " ") + project.path;
    }
    return text;
  });
  step("reopened", [&] { return reopenAfterAnother(loose); });
  fakes::ExpectApproved("copy/held-group", transcript);
}

}  // namespace
}  // namespace zarvelin
