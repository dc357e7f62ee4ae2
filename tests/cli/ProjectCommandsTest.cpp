#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLineRun.h"
#include "fakes/TempDir.h"

namespace zarvelin {
namespace {

// One component line of the fixture project and what the listing must say about it.
struct Listed {
  std::string line;
  int32_t type;
  std::string kind;
  std::string name;
  std::string directory;  // below the test directory
  std::string file;
  std::string companion;  // empty: none
};

const std::vector<Listed> kComponents = {
    {"Form=Forms\\Main.frm", 5, "Form", "frmMain", "App\\Forms", "Main.frm", "Main.frx"},
    {"Module=modUtil; Util.bas", 1, "Module", "modUtil", "App", "Util.bas", ""},
    {"Class=cThing; ..\\Shared\\Thing.cls", 2, "Class", "cThing", "Shared", "Thing.cls", ""},
    {"UserControl=Grid.ctl", 8, "UserControl", "ucGrid", "App", "Grid.ctl", ""},
    {"RelatedDoc=\"Docs\\Read Me.txt\"", 10, "RelatedDoc", "Read Me.txt", "App\\Docs",
     "Read Me.txt", ""},
    {"ResFile32=\"App.RES\"", 4, "ResFile32", "App.RES", "App", "App.RES", ""},
};

struct Setting {
  std::string line;
  std::string jsonKey;
  nlohmann::json value;
};

const std::vector<Setting> kSettings = {
    {"Name=\"Fixture\"", "name", "\"Fixture\""},
    {"Command32=\"/x=1\"", "commandLine", "\"/x=1\""},
    {"CondComp=\"DEBUG = 1\"", "conditionalCompile", "\"DEBUG = 1\""},
    {"ExeName32=\"Fixture.exe\"", "exeName32", "\"Fixture.exe\""},
    {"Path32=\"..\\bin\"", "path32", "\"..\\bin\""},
    {"MajorVer=2", "majorVer", 2},
    {"MinorVer=5", "minorVer", 5},
    {"RevisionVer=17", "revisionVer", 17},
};

class ProjectCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text = "Type=Exe\r\n";
    for (const Listed& component : kComponents) text += component.line + "\r\n";
    for (const Setting& setting : kSettings) text += setting.line + "\r\n";
    text += "[MS Transaction Server]\r\nAutoRefresh=1\r\n";
    dir_.Write("App/App.vbp", text);
    dir_.Write(
        "App/Forms/Main.frm",
        "VERSION 5.00\r\n   Icon = \"Main.frx\":0000\r\nAttribute VB_Name = \"frmMain\"\r\n");
    dir_.Write("App/Grid.ctl", "VERSION 5.00\r\nAttribute VB_Name = \"ucGrid\"\r\n");
  }

  fakes::TempDir dir_;
};

TEST_F(ProjectCommandsTest, ShowAsJsonGivesEverySettingAndComponent) {
  const CommandLineRun run = RunZarvelin({"show", dir_.HostPath("App/App.vbp"), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json listing = nlohmann::json::parse(run.out);

  EXPECT_EQ(listing["projectFile"], dir_.VbPath("App\\App.vbp"));
  for (const Setting& setting : kSettings) {
    EXPECT_EQ(listing[setting.jsonKey], setting.value) << setting.line;
  }
  ASSERT_EQ(listing["components"].size(), kComponents.size());
  for (size_t i = 0; i < kComponents.size(); ++i) {
    const Listed& expected = kComponents[i];
    const nlohmann::json& component = listing["components"][i];
    EXPECT_EQ(component["type"], expected.type) << expected.line;
    EXPECT_EQ(component["kind"], expected.kind) << expected.line;
    EXPECT_EQ(component["name"], expected.name) << expected.line;
    EXPECT_EQ(component["directory"], dir_.VbPath(expected.directory)) << expected.line;
    EXPECT_EQ(component["file"], expected.file) << expected.line;
    EXPECT_EQ(component["companion"], expected.companion.empty()
                                          ? nlohmann::json(nullptr)
                                          : nlohmann::json(expected.companion))
        << expected.line;
  }
}

TEST_F(ProjectCommandsTest, ShowListsOneRowPerComponentInFileOrder) {
  const CommandLineRun run = RunZarvelin({"show", dir_.HostPath("App/App.vbp")});
  ASSERT_EQ(run.status, 0) << run.err;

  std::istringstream lines(run.out);
  std::string line;
  while (std::getline(lines, line) && line.rfind("Kind", 0) != 0) {
  }
  for (const Listed& expected : kComponents) {
    ASSERT_TRUE(std::getline(lines, line)) << expected.line;
    // The row holds kind, name, directory, file and companion in this order.
    size_t at = 0;
    for (const std::string& cell : {expected.kind, expected.name, dir_.VbPath(expected.directory),
                                    expected.file, expected.companion}) {
      at = line.find(cell, at);
      ASSERT_NE(at, std::string::npos) << cell << " in " << line;
      at += cell.size();
    }
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(ProjectCommandsTest, ShowOfAMissingProjectReportsTheFailureAndFails) {
  const CommandLineRun run = RunZarvelin({"show", dir_.HostPath("App/Missing.vbp"), "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("ReadVBP"), std::string::npos) << run.err;
}

struct SetCase {
  std::string label;
  std::vector<std::string> options;
  std::vector<std::pair<std::string, std::string>> replaced;  // line before, line after
  bool refused = false;  // the command fails and leaves the file as it was
};

class SetCommandTest : public ProjectCommandsTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SetCommandTest, RewritesTheGivenLinesOrRefusesAndKeepsTheRest) {
  const SetCase& c = GetParam();
  std::string expected = dir_.Read("App/App.vbp");
  for (const auto& [before, after] : c.replaced) {
    const size_t at = expected.find(before + "\r\n");
    ASSERT_NE(at, std::string::npos) << before;
    expected.replace(at, before.size(), after);
  }
  std::vector<std::string> arguments{"set", dir_.HostPath("App/App.vbp")};
  arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  const CommandLineRun run = RunZarvelin(arguments);

  EXPECT_EQ(run.status != 0, c.refused) << run.err;
  EXPECT_EQ(dir_.Read("App/App.vbp"), expected);
  EXPECT_FALSE(dir_.Exists("App/App.vbp.tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Options, SetCommandTest,
    ::testing::Values(
        SetCase{"EmptyOutputPath", {"--path32", ""}, {{"Path32=\"..\\bin\"", "Path32=\"\""}}},
        SetCase{"Major", {"--major", "-3"}, {{"MajorVer=2", "MajorVer=-3"}}},
        SetCase{"NameAsGiven", {"--name", "Plain"}, {{"Name=\"Fixture\"", "Name=Plain"}}},
        SetCase{
            "CommandQuoted", {"--command", " a b "}, {{"Command32=\"/x=1\"", "Command32=\"a b\""}}},
        SetCase{"Several",
                {"--major", "9", "--path32", "\"out\""},
                {{"MajorVer=2", "MajorVer=9"}, {"Path32=\"..\\bin\"", "Path32=\"out\""}}},
        SetCase{"NoOption", {}, {}, true},
        SetCase{"MajorOutOfRange", {"--major", "40000"}, {}, true},
        SetCase{"MajorNotANumber", {"--major", "two"}, {}, true}),
    [](const auto& test) { return test.param.label; });

}  // namespace
}  // namespace zarvelin
