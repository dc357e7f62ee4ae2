#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"

namespace zarvelin::copy {
namespace {

class CopyCommandTest : public CopyRoad {
 protected:
  void SetUp() override {
    temp.MakeDirectory("Proj");
    temp.MakeDirectory("Copy");
    dialog.Ctl("lblCurrentProject").SetCaption("before");
  }

  void OpenProject(const std::string& fileName, bool componentSaves = true) {
    Component form1 = InProj("Form1", type::kVBForm, "Form1.frm");
    form1.saveResult = componentSaves;
    ide.OpenProject(fileName, {form1});
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
  EXPECT_FALSE(Press(ide, temp.VbPath("Copy")));

  EXPECT_EQ(platform.Messages(),
            (std::vector<Message>{{"You must save this project before copy.", "Zarvelin", 64}}));
  for (const std::string& call : platform.Log()) EXPECT_NE(call.rfind("DriveType", 0), 0u) << call;
  ExpectUntouched();
}

TEST_F(CopyCommandTest, NoOpenProjectIsReportedAndChangesNothing) {
  EXPECT_FALSE(Press(ide, temp.VbPath("Copy")));

  EXPECT_EQ(failures, std::vector<std::string>{"cmdCopy_Click 10 91"});
  EXPECT_TRUE(platform.Messages().empty());
  ExpectUntouched();
}

TEST_F(CopyCommandTest, AFailedPassReturnsToIdleWithoutTheClosingMessage) {
  const std::string projectFile = temp.VbPath("Proj\\App.vbp");
  OpenProject(projectFile, false);

  EXPECT_FALSE(Press(ide, temp.VbPath("Copy")));

  EXPECT_EQ(Titles(), std::vector<std::string>{"Copy Project Files"});
  ExpectIdleLayout(projectFile);
}

TEST_F(CopyCommandTest, ACopyEndsWithTheClosingMessageAndTheIdleLayout) {
  const struct {
    std::string typed;
    std::string saveDir;  // where the component goes
  } cases[] = {{R"({T}\Copy)", R"({T}\Copy)"},
               {R"(D:\)", "D:"},
               {R"(\\server\share\Copy)", R"(\\server\share\Copy)"}};
  const std::string projectFile = temp.VbPath("Proj\\App.vbp");
  // The project files the IDE would have saved, for the driver to clear their Path32.
  temp.Write("App.vbp", "Type=Exe\r\n");
  temp.Write("Copy/App.vbp", "Type=Exe\r\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    fakes::FakeIde vbe;
    vbe.OpenProject(projectFile, {InProj("Form1", type::kVBForm, "Form1.frm")});
    const std::string typed = Expand(c.typed);

    EXPECT_TRUE(Press(vbe, typed));

    ASSERT_FALSE(vbe.Calls().empty());
    EXPECT_EQ(vbe.Calls()[0], "SaveAs Form1 " + Expand(c.saveDir) + "\\Form1.frm");
    ASSERT_FALSE(platform.Messages().empty());
    EXPECT_EQ(platform.Messages().back(),
              (Message{"Project:\r\n" + projectFile + "\r\nCopied to directory:\r\n" + typed,
                       "Zarvelin", 64}));
    ExpectIdleLayout(projectFile);
  }
  EXPECT_TRUE(failures.empty());
}

// The project directory, in its own or another spelling, is refused before anything is saved.
TEST_F(CopyCommandTest, TheProjectDirectoryInAnySpellingIsRefusedBeforeAnySave) {
  const std::string source = "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\n";
  temp.Write("Proj/App.vbp", source);
  OpenProject(temp.VbPath("Proj\\App.vbp"));
  for (const char* spelling : {R"({T}\Proj)", R"({T}\Proj\)", R"({T}\Proj\.)",
                               R"({T}\Copy\..\Proj)", R"({T}\\Proj)", R"({T}\PROJ\)"}) {
    SCOPED_TRACE(spelling);
    const size_t shown = platform.Messages().size();

    EXPECT_FALSE(Press(ide, Expand(spelling)));

    ASSERT_EQ(platform.Messages().size(), shown + 1);
    EXPECT_EQ(platform.Messages().back().title, "Cannot Copy to Project Directory");
    ExpectUntouched();
    EXPECT_EQ(temp.Read("Proj/App.vbp"), source);
    EXPECT_EQ(temp.List("Proj"), std::vector<std::string>{"App.vbp"});
  }
}

}  // namespace
}  // namespace zarvelin::copy
