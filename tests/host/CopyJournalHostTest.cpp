#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "copy/CopyJournal.h"
#include "copy/JournalSafeguard.h"
#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbPath.h"

// The copy journal on the real POSIX file layer, for what files in memory cannot show: links,
// permissions, and a directory compared entry by entry as the host holds it.
namespace zarvelin::host {
namespace {

using fakes::FailureOf;
using fakes::TempDir;

enum class Kind { kFile, kReadOnlyFile, kLink };

// An entry of the copy directory before the copy: a file's bytes, or where a link points.
struct Entry {
  std::string name;
  Kind kind;
  std::string content;
};

struct HostJournalCase {
  std::string name;
  std::vector<Entry> before;
  std::vector<std::string> planned;
  bool finish;
  int32_t beginFailure;
};

void PrintTo(const HostJournalCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

const std::vector<HostJournalCase> kCases = {
    {"StoppedCopyPutsBackLinksAsLinks",
     {{"Form1.frm", Kind::kLink, "../outside/shared.frm"},
      {"Form1.frx", Kind::kLink, "../outside/gone.frx"},
      {"Res", Kind::kLink, "../outside"},
      {"Module1.bas", Kind::kFile, "old module"}},
     {"Form1.frm", "Form1.frx", "Res", "Module1.bas", "Class1.cls"},
     false,
     0},
    {"FinishedCopyReplacesLinksWithFilesOfTheirOwn",
     {{"Form1.frm", Kind::kLink, "../outside/shared.frm"},
      {"Module1.bas", Kind::kFile, "old module"},
      {"Notes.txt", Kind::kFile, "notes"}},
     {"Form1.frm", "Module1.bas"},
     true,
     0},
    {"StoppedCopyPutsBackALinkToNothingFoundWithoutRegardToCase",
     {{"Form1.frx", Kind::kLink, "../outside/gone.frx"}, {"Module1.bas", Kind::kFile, "old"}},
     {"FORM1.FRX", "module1.bas"},
     false,
     0},
    {"ReadOnlyTargetIsRefused",
     {{"Module1.bas", Kind::kFile, "old module"}, {"Form1.frm", Kind::kReadOnlyFile, "kept"}},
     {"Module1.bas", "Form1.frm"},
     false,
     75},
};

// A C: drive with a copy directory and a folder outside it, on the real file layer.
class CopyJournalHostWorld : public testing::Test {
 protected:
  CopyJournalHostWorld() : paths(Config()), files(paths), installed(files) {
    tree.Write("c/outside/shared.frm", "shared form");
    tree.MakeDirectory("c/copy");
  }

  PathMapperConfig Config() const {
    PathMapperConfig config;
    config.drives = {{'C', tree.HostPath("c")}};
    return config;
  }

  // Each entry of a directory as the host holds it: a link and where it points, or a file with
  // its bytes and, when asked, its permissions.
  std::vector<std::string> Listing(std::string_view relative, bool withModes = true) const {
    std::vector<std::string> lines;
    for (const std::string& name : tree.List(relative)) {
      const std::string path = tree.HostPath(std::string(relative) + "/" + name);
      struct stat status {};
      EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
      if (S_ISLNK(status.st_mode)) {
        lines.push_back(name + " -> " + std::filesystem::read_symlink(path).string());
      } else {
        const std::string mode = withModes ? std::to_string(status.st_mode & 07777) + " " : "";
        lines.push_back(name + " " + mode + tree.Read(std::string(relative) + "/" + name));
      }
    }
    return lines;
  }

  TempDir tree;
  PathMapper paths;
  HostFileSystem files;
  ScopedService<FileSystem> installed;
};

// Each case runs as the copy runs it, under a held listing, and without one.
class CopyJournalHost : public CopyJournalHostWorld,
                        public testing::WithParamInterface<std::tuple<HostJournalCase, bool>> {};

TEST_P(CopyJournalHost, LeavesTheDirectoryAsItWasOrAsTheCopyMadeIt) {
  const auto& [testCase, held] = GetParam();
  for (const Entry& entry : testCase.before) {
    const std::string path = tree.HostPath("c/copy/" + entry.name);
    if (entry.kind == Kind::kLink) {
      std::filesystem::create_symlink(entry.content, path);
    } else {
      tree.Write("c/copy/" + entry.name, entry.content);
      chmod(path.c_str(), entry.kind == Kind::kReadOnlyFile ? 0444 : 0640);
    }
  }
  const std::vector<std::string> before = Listing("c/copy");
  const std::vector<std::string> outside = Listing("c/outside");
  const std::string copyDirectory = "C:\\copy";
  const auto hold = held ? Files().HoldListings() : nullptr;

  std::optional<copy::CopyJournal> journal;
  ASSERT_EQ(FailureOf([&] {
              journal.emplace(copy::CopyJournal::Begin(copyDirectory, testCase.planned, {}));
            }),
            testCase.beginFailure);
  if (journal) {
    for (const std::string& name : testCase.planned) {
      const auto staged = Files().Stage(JoinPath(copyDirectory, name));
      staged->Write("copied " + name);
      staged->Commit();
    }
  }
  if (journal && testCase.finish) {
    const copy::CommitOutcome outcome = journal->Commit();
    EXPECT_TRUE(outcome.leftOver.empty());
    std::vector<std::string> expected;
    for (const std::string& name : testCase.planned) {
      expected.push_back(name + " copied " + name);
    }
    for (const Entry& entry : testCase.before) {
      if (std::find(testCase.planned.begin(), testCase.planned.end(), entry.name) ==
          testCase.planned.end()) {
        expected.push_back(entry.name + " " + entry.content);
      }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing("c/copy", false), expected);
  } else {
    if (journal) {
      EXPECT_TRUE(journal->Rollback().Complete());
    }
    EXPECT_EQ(Listing("c/copy"), before);
  }
  EXPECT_EQ(Listing("c/outside"), outside);
}

// The safeguard leaves a read-only file or a folder at a planned name where it is (the copy stops
// on it), but a link to one is the copy's to replace: a copy that stops puts the link back.
TEST_F(CopyJournalHostWorld, AStoppedCopyPutsBackALinkToWhatItWouldLeaveAlone) {
  tree.Write("c/outside/kept.frm", "read-only form");
  chmod(tree.HostPath("c/outside/kept.frm").c_str(), 0444);
  tree.MakeDirectory("c/lib");
  std::filesystem::create_symlink("../outside/kept.frm", tree.HostPath("c/copy/Form1.frm"));
  std::filesystem::create_symlink("../lib", tree.HostPath("c/copy/Res"));
  const std::vector<std::string> planned = {"Form1.frm", "Res"};
  const std::vector<std::string> before = Listing("c/copy");
  const std::vector<std::string> outside = Listing("c/outside");
  for (const bool held : {false, true}) {
    const auto hold = held ? Files().HoldListings() : nullptr;
    copy::JournalSafeguard safeguard;
    safeguard.Begin("C:\\copy", planned, {});
    for (const std::string& name : planned) {
      const auto staged = Files().Stage("C:\\copy\\" + name);
      staged->Write("copied " + name);
      staged->Commit();
    }
    EXPECT_TRUE(safeguard.Rollback().empty()) << (held ? "held" : "");
    EXPECT_EQ(Listing("c/copy"), before) << (held ? "held" : "");
    EXPECT_EQ(Listing("c/outside"), outside) << (held ? "held" : "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyJournalHost, testing::Combine(testing::ValuesIn(kCases), testing::Bool()),
    [](const testing::TestParamInfo<std::tuple<HostJournalCase, bool>>& hostCase) {
      return std::get<0>(hostCase.param).name + (std::get<1>(hostCase.param) ? "Held" : "");
    });

}  // namespace
}  // namespace zarvelin::host
