#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyCommand.h"

namespace zarvelin::copy {
namespace {

using Component = fakes::FakeIde::ComponentScript;
namespace type = ide::component;

class CopyCommandTest : public CopyRoad {
 protected:
  void SetUp() override {
    temp.MakeDirectory("Proj");
    temp.MakeDirectory("Copy");
    dialog.Ctl("lblCurrentProject").SetCaption("before");
  }

  void OpenProject(const std::string& fileName, bool componentSaves = true) {
    Component form1;
    form1.name = "Form1";
    form1.type = type::kVBForm;
    form1.fileName = temp.VbPath("Proj\\Form1.frm");
    form1.saveResult = componentSaves;
    ide.OpenProject(fileName, {form1});
  }

  bool Press(const std::string& typed) {
    dialog.Ctl("txtDirectory").SetText(typed);
    CopyDialog parts = Parts();
    return cmdCopy_Click(parts);
  }

  void ExpectIdleLayout(const std::string& projectFile) {
    EXPECT_EQ(dialog.Ctl("lblFrom").Caption(), "From:");
    EXPECT_FALSE(dialog.Ctl("picModule").Visible());
    EXPECT_TRUE(dialog.Ctl("lblCurrentProject").Visible());
    EXPECT_EQ(dialog.Ctl("lblCurrentProject").Caption(), projectFile);
    EXPECT_EQ(platform.MousePointer(), pointer::kDefault);
  }

  void ExpectUntouched() {
    EXPECT_TRUE(ide.Calls().empty());
    EXPECT_EQ(dialog.Ctl("lblCurrentProject").Caption(), "before");
    EXPECT_TRUE(windows.CallsStartingWith("SetWindowPos").empty());
  }
};

TEST_F(CopyCommandTest, AnUnsavedProjectStopsBeforeTheValidation) {
  OpenProject("");
  EXPECT_FALSE(Press(temp.VbPath("Copy")));

  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0],
            (fakes::ScriptedPlatform::ShownMessage{"You must save this project before copy.",
                                                   "Zarvelin", 64}));
  for (const std::string& call : platform.Log()) EXPECT_NE(call.rfind("DriveType", 0), 0u) << call;
  ExpectUntouched();
}

TEST_F(CopyCommandTest, TheInitialDirectoryIsRefused) {
  OpenProject(temp.VbPath("Proj\\App.vbp"));
  EXPECT_FALSE(Press(temp.VbPath("Proj")));

  EXPECT_EQ(Titles(), std::vector<std::string>{"Cannot Copy to Project Directory"});
  ExpectUntouched();
}

struct SuccessCase {
  std::string name;
  std::string typed;    // "{T}" stands for the test directory
  std::string saveDir;  // where the component goes
};

class CopyCommandSuccessTest : public CopyCommandTest,
                               public testing::WithParamInterface<SuccessCase> {
 protected:
  std::string Expand(std::string text) const {
    const size_t at = text.find("{T}");
    if (at != std::string::npos) text.replace(at, 3, temp.VbPath());
    return text;
  }
};

TEST_P(CopyCommandSuccessTest, EndsWithTheClosingMessageAndTheIdleLayout) {
  const SuccessCase& c = GetParam();
  const std::string projectFile = temp.VbPath("Proj\\App.vbp");
  OpenProject(projectFile);
  const std::string typed = Expand(c.typed);
  // The project files the IDE would have saved, for the driver to clear their Path32.
  temp.Write("App.vbp", "Type=Exe\r\n");
  temp.Write("Copy/App.vbp", "Type=Exe\r\n");

  EXPECT_TRUE(Press(typed));

  EXPECT_TRUE(failures.empty());
  ASSERT_FALSE(ide.Calls().empty());
  EXPECT_EQ(ide.Calls()[0], "SaveAs Form1 " + Expand(c.saveDir) + "\\Form1.frm");
  ASSERT_FALSE(platform.Messages().empty());
  EXPECT_EQ(
      platform.Messages().back(),
      (fakes::ScriptedPlatform::ShownMessage{
          "Project:\r\n" + projectFile + "\r\nCopied to directory:\r\n" + typed, "Zarvelin", 64}));
  ExpectIdleLayout(projectFile);
}

INSTANTIATE_TEST_SUITE_P(Directories, CopyCommandSuccessTest,
                         testing::Values(SuccessCase{"Plain", R"({T}\Copy)", R"({T}\Copy)"},
                                         SuccessCase{"DriveRoot", R"(D:\)", "D:"},
                                         SuccessCase{"ShareDirectory", R"(\\server\share\Copy)",
                                                     R"(\\server\share\Copy)"}),
                         [](const testing::TestParamInfo<SuccessCase>& param) {
                           return param.param.name;
                         });

TEST_F(CopyCommandTest, AFailedPassReturnsToIdleWithoutTheClosingMessage) {
  const std::string projectFile = temp.VbPath("Proj\\App.vbp");
  OpenProject(projectFile, false);

  EXPECT_FALSE(Press(temp.VbPath("Copy")));

  EXPECT_EQ(Titles(), std::vector<std::string>{"Copy Project Files"});
  ExpectIdleLayout(projectFile);
}

TEST_F(CopyCommandTest, NoOpenProjectIsReportedAndChangesNothing) {
  EXPECT_FALSE(Press(temp.VbPath("Copy")));

  EXPECT_EQ(failures, std::vector<std::string>{"cmdCopy_Click 10 91"});
  EXPECT_TRUE(platform.Messages().empty());
  ExpectUntouched();
}

struct SpellingCase {
  std::string name;
  std::string typed;  // the project directory "{T}\Proj" in another spelling
};

class CopyCommandSpellingTest : public CopyCommandTest,
                                public testing::WithParamInterface<SpellingCase> {};

TEST_P(CopyCommandSpellingTest, TheProjectDirectorySpelledAnotherWayIsRefusedBeforeAnySave) {
  const std::string source = "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\n";
  temp.Write("Proj/App.vbp", source);
  const std::string projectFile = temp.VbPath("Proj\\App.vbp");
  OpenProject(projectFile);
  std::string typed = GetParam().typed;
  typed.replace(typed.find("{T}"), 3, temp.VbPath());

  EXPECT_FALSE(Press(typed));

  EXPECT_EQ(Titles(), std::vector<std::string>{"Cannot Copy to Project Directory"});
  EXPECT_TRUE(ide.Calls().empty());
  EXPECT_EQ(temp.Read("Proj/App.vbp"), source);
  EXPECT_EQ(temp.List("Proj"), std::vector<std::string>{"App.vbp"});
}

INSTANTIATE_TEST_SUITE_P(Spellings, CopyCommandSpellingTest,
                         testing::Values(SpellingCase{"TrailingBackslash", R"({T}\Proj\)"},
                                         SpellingCase{"DotPart", R"({T}\Proj\.)"},
                                         SpellingCase{"ParentPart", R"({T}\Copy\..\Proj)"},
                                         SpellingCase{"DoubledSeparator", R"({T}\\Proj)"}),
                         [](const testing::TestParamInfo<SpellingCase>& param) {
                           return param.param.name;
                         });

}  // namespace
}  // namespace zarvelin::copy
