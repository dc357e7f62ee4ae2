#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLineRun.h"
#include "fakes/TempDir.h"
#include "filebacked/FileBackedIde.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "runtime/Runtime.h"

namespace zarvelin {
namespace {

namespace fs = std::filesystem;

// Every file under a directory, by its path relative to it, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[fs::relative(entry.path(), root).generic_string()] = bytes.str();
  }
  return files;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// (name, type) of every component of a project the file-backed IDE opens.
std::vector<std::pair<std::string, int32_t>> ComponentsOf(const std::string& hostProjectFile) {
  host::PathMapper paths;
  host::HostFileSystem files(paths);
  ScopedRuntime runtime(Runtime{&files, nullptr, {}});
  auto vbe = filebacked::OpenFileBackedIde(paths.ToVb(hostProjectFile), {});
  std::vector<std::pair<std::string, int32_t>> components;
  for (const auto& component : vbe->ActiveVBProject()->Components().Enumerate()) {
    components.emplace_back(component->Name(), component->Type());
  }
  return components;
}

// The bundled example, found from this file's place in the source tree, copied to a fresh
// directory.
class CopyExampleTest : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path example =
        fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / "ledger";
    fs::copy(example, Source(), fs::copy_options::recursive);
    temp.MakeDirectory("out");
    before = Snapshot(Source());
    ASSERT_FALSE(before.empty());
  }

  fs::path Source() const { return fs::path(temp.HostPath()) / "ledger"; }
  std::string Project() const { return (Source() / "app" / "Ledger.vbp").string(); }
  std::string Out() const { return temp.HostPath("out"); }

  void ExpectSourceUnchanged() const { EXPECT_EQ(Snapshot(Source()), before); }

  fakes::TempDir temp;
  std::map<std::string, std::string> before;
};

TEST_F(CopyExampleTest, CopiesEveryFileTheProjectNeedsAndNothingOfTheSource) {
  const CommandLineRun run = RunZarvelin({"copy", Project(), Out()});

  ASSERT_EQ(run.status, 0) << run.err;
  // Each source file that the project lists, or that a listed file needs, is in the copy,
  // byte for byte, except the component files the IDE rewrote for their new place.
  const std::map<std::string, std::string> copied = Snapshot(Out());
  const std::map<std::string, std::string> expectedSame = {
      {"frmMain.frx", "app/frmMain.frx"},       {"mdiLedger.frx", "app/mdiLedger.frx"},
      {"ctlAmount.ctx", "app/ctlAmount.ctx"},   {"ppgCurrency.pgx", "app/ppgCurrency.pgx"},
      {"dsrMonthly.dsx", "app/dsrMonthly.dsx"}, {"dsrMonthly.dca", "app/dsrMonthly.dca"},
      {"Ledger.res", "app/Ledger.res"},         {"Ledger Notes.txt", "app/docs/Ledger Notes.txt"},
      {"frmMain.frm", "app/frmMain.frm"},       {"modMain.bas", "app/modMain.bas"},
      {"Util.bas", "shared/Util.bas"},          {"cEntry.cls", "app/classes/cEntry.cls"},
      {"ctlAmount.ctl", "app/ctlAmount.ctl"},   {"ppgCurrency.pag", "app/ppgCurrency.pag"},
      {"dsrMonthly.dsr", "app/dsrMonthly.dsr"}, {"mdiLedger.frm", "app/mdiLedger.frm"}};
  for (const auto& [copy, source] : expectedSame) {
    ASSERT_EQ(copied.count(copy), 1u) << copy;
    EXPECT_EQ(copied.at(copy), before.at(source)) << copy;
  }
  EXPECT_EQ(copied.size(), expectedSame.size() + 1);  // and the project file

  // The project file fits its new place: every component line names a file beside it, and the
  // compiled-output path is cleared; all other lines are the source's.
  const std::vector<std::string> source = Lines(before.at("app/Ledger.vbp"));
  const std::vector<std::string> lines = Lines(copied.at("Ledger.vbp"));
  ASSERT_EQ(lines.size(), source.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string key = line.substr(0, line.find('='));
    if (key == "Path32") {
      EXPECT_EQ(line, "Path32=\"\"");
    } else if (key == "Form" || key == "Module" || key == "Class" || key == "UserControl" ||
               key == "PropertyPage" || key == "Designer" || key == "ResFile32" ||
               key == "RelatedDoc") {
      EXPECT_EQ(line.find('\\'), std::string::npos) << line;
    } else {
      EXPECT_EQ(line, source[i]);
    }
  }
  EXPECT_EQ(ComponentsOf(Out() + "/Ledger.vbp"), ComponentsOf(Project()));

  EXPECT_NE(run.err.find("[Zarvelin]"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Copied to directory:"), std::string::npos) << run.err;
  ExpectSourceUnchanged();
}

// The shared module's folder is a fine copy directory: its own file already is its copy.
TEST_F(CopyExampleTest, ACopyIntoTheSharedFolderLeavesEverySourceFileAsItIs) {
  const CommandLineRun run = RunZarvelin({"copy", Project(), (Source() / "shared").string()});

  ASSERT_EQ(run.status, 0) << run.err;
  const std::map<std::string, std::string> after = Snapshot(Source());
  for (const auto& [file, bytes] : before) EXPECT_EQ(after.at(file), bytes) << file;
  EXPECT_EQ(after.count("shared/Ledger.vbp"), 1u);
  EXPECT_EQ(ComponentsOf((Source() / "shared" / "Ledger.vbp").string()), ComponentsOf(Project()));
}

TEST_F(CopyExampleTest, QuietCopyShowsNeitherProgressNorTheClosingMessage) {
  const CommandLineRun run = RunZarvelin({"copy", "--quiet", "--scc", Project(), Out()});

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("Copied to directory:"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('%'), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(fs::path(Out()) / "Ledger.vbp"));
  ExpectSourceUnchanged();
}

struct RefusalCase {
  std::string name;
  std::string directory;  // below the test directory
  std::string title;      // of the box that stops the copy
};

class CopyExampleRefusalTest : public CopyExampleTest,
                               public testing::WithParamInterface<RefusalCase> {};

TEST_P(CopyExampleRefusalTest, StopsWithItsMessageAndAFailingStatus) {
  fs::create_directory_symlink(Source() / "app", fs::path(temp.HostPath()) / "applink");
  // A directory where the first form's file would go: the save there cannot succeed.
  temp.MakeDirectory("blocked/frmMain.frm");

  const CommandLineRun run = RunZarvelin({"copy", Project(), temp.HostPath(GetParam().directory)});

  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("[" + GetParam().title + "]"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Copied to directory:"), std::string::npos) << run.err;
  ExpectSourceUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Directories, CopyExampleRefusalTest,
    testing::Values(
        RefusalCase{"ProjectDirectory", "ledger/app", "Cannot Copy to Project Directory"},
        RefusalCase{"ProjectDirectoryThroughALink", "applink", "Cannot Copy to Project Directory"},
        RefusalCase{"Missing", "nowhere", "Invalid Copy Directory"},
        RefusalCase{"AFile", "ledger/app/Ledger.vbp", "Invalid Copy Directory"},
        RefusalCase{"SaveFails", "blocked", "Copy Project Files Error"}),
    [](const testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

TEST(CopyCommandHelp, ExplainsTheCommandInAUsersWords) {
  const CommandLineRun run = RunZarvelin({"copy", "--help"});

  EXPECT_EQ(run.status, 0);
  for (const char* word : {"PROJECT", "DIRECTORY", "--scc", "--quiet", "Path32", "Exit status"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word << "\n" << run.out;
  }
}

}  // namespace
}  // namespace zarvelin
