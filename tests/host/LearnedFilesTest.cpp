#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "copy/NamePlan.h"
#include "fakes/host/TempDir.h"
#include "filebacked/FileBackedIdeComponent.h"
#include "filebacked/FileBackedIdeComponentFile.h"
#include "filebacked/FileBackedIdeLearnedFiles.h"
#include "host/HostFileSystem.h"
#include "runtime/Runtime.h"

namespace zarvelin::host {
namespace {

using fakes::TempDir;

// Counts the files opened to read: a file known from before is not opened again.
class CountingFiles : public HostFileSystem {
 public:
  using HostFileSystem::HostFileSystem;
  std::unique_ptr<TextReader> OpenText(const std::string& path) override {
    ++opened;
    return HostFileSystem::OpenText(path);
  }
  int opened = 0;
};

std::string Form(const std::string& name) {
  return "VERSION 5.00\r\nBegin VB.Form " + name + "\r\nEnd\r\nAttribute VB_Name = \"" + name +
         "\"\r\n";
}

PathMapperConfig DriveCIn(const TempDir& tree) {
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  return config;
}

// C:\F.frm, a form named First, on a drive of its own, read once through the run time's files.
struct FirstFormRead {
  FirstFormRead() {
    tree.Write("c/F.frm", Form("First"));
    EXPECT_EQ(filebacked::ReadComponentFile("C:\\F.frm").name, "First");
  }
  TempDir tree;
  const PathMapper paths{DriveCIn(tree)};
  CountingFiles files{paths};
  const ScopedService<FileSystem> scoped{files};
};

TEST(LearnedFilesTest, AComponentFileIsReadAgainOnlyWhenItChanged) {
  const struct {
    const char* change;
    std::function<void(const TempDir&)> apply;
    const char* name;
    int opened;
  } cases[] = {
      {"none", [](const TempDir&) {}, "First", 0},
      {"rewritten", [](const TempDir& tree) { tree.Write("c/F.frm", Form("Second")); }, "Second",
       1},
      {"replaced by a file of the same size",
       [](const TempDir& tree) {
         tree.Write("c/new.frm", Form("Third"));
         ASSERT_EQ(rename(tree.HostPath("c/new.frm").c_str(), tree.HostPath("c/F.frm").c_str()), 0);
       },
       "Third", 1},
  };
  for (const auto& c : cases) {
    FirstFormRead world;
    c.apply(world.tree);
    world.files.opened = 0;
    EXPECT_EQ(filebacked::ReadComponentFile("C:\\F.frm").name, c.name) << c.change;
    EXPECT_EQ(world.files.opened, c.opened) << c.change;
  }
}

// A project opened again finds a component where it was found before (under the spelling the
// disk has) while that file has not changed; any change sends it to look again.
TEST(LearnedFilesTest, AComponentIsFoundWhereItWasWhileItsFileIsUnchanged) {
  const struct {
    const char* change;
    std::function<void(const TempDir&)> apply;
    bool known;
  } cases[] = {
      {"none", [](const TempDir&) {}, true},
      {"rewritten", [](const TempDir& tree) { tree.Write("c/F.frm", Form("Second")); }, false},
      {"removed", [](const TempDir& tree) { std::remove(tree.HostPath("c/F.frm").c_str()); },
       false},
  };
  // The project spells the file as the disk does, or otherwise.
  for (const std::string written : {"C:\\F.frm", "C:\\f.FRM"}) {
    for (const auto& c : cases) {
      FirstFormRead world;
      filebacked::FoundAt(written, "C:\\F.frm");
      c.apply(world.tree);
      const std::optional<filebacked::LearnedComponentFile> known =
          filebacked::LearnedFileFor(written);
      ASSERT_EQ(known.has_value(), c.known) << c.change << " " << written;
      if (!known) continue;
      EXPECT_EQ(known->path, "C:\\F.frm");
      EXPECT_EQ(known->facts.name, "First");
    }
  }
}

// A copy plans every companion of the components the IDE holds: while a file is as the IDE read
// it, the plan takes the companions the IDE found there; a file changed since is read again.
TEST(LearnedFilesTest, ACopyPlansFromWhatTheIdeReadWhileTheFileIsUnchanged) {
  const std::string picture = "   Picture = \"F.frx\":0000\r\n";
  const std::string named = "Attribute VB_Name = \"First\"\r\n";
  const struct {
    const char* change;
    std::function<void(const TempDir&)> apply;
    const char* companion;
    int opened;
  } cases[] = {
      {"none", [](const TempDir&) {}, "C:\\F.frx", 0},
      {"rewritten",
       [&](const TempDir& tree) {
         tree.Write("c/F.frm",
                    "Begin VB.Form First\r\n   Icon = \"G.frx\":0000\r\nEnd\r\n" + named);
       },
       "C:\\G.frx", 1},
  };
  for (const auto& c : cases) {
    TempDir tree;
    tree.Write("c/F.frm", "Begin VB.Form First\r\n" + picture + "End\r\n" + named);
    const PathMapper paths{DriveCIn(tree)};
    CountingFiles files{paths};
    const ScopedService<FileSystem> scoped{files};
    const std::vector<std::shared_ptr<ide::VBComponent>> opened = {
        filebacked::FileBackedComponent::FromFile("C:\\F.frm", false)};
    c.apply(tree);
    files.opened = 0;
    copy::CopyRequest request;
    request.copyDirectory = "C:\\copy";
    request.projectDirectory = "C:";
    request.projectFileName = "P.vbp";
    const copy::NamePlan plan(opened, request);
    EXPECT_EQ(plan.Components().at(0).reads, std::vector<std::string>{c.companion}) << c.change;
    EXPECT_EQ(files.opened, c.opened) << c.change;
  }
}

}  // namespace
}  // namespace zarvelin::host
