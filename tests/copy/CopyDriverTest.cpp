#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyProjectFromCD.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

constexpr char kCopiedVbp[] =
    "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\nName=\"App\"\r\n";
constexpr char kNotSaved[] =
    "The Copied Project's VBP File was Not Saved.\r\nYou Should Close this Project and Reopen it.";

enum class AddIn { None, Connected, Disconnected };

struct DriverCase {
  std::string name;
  AddIn addIn;
  bool componentSaves;                  // the IDE's save-as of the one component answers True
  std::optional<int32_t> projectError;  // the project's save-as fails with this number
  bool minimized;
  std::vector<std::string> titles;  // message boxes, in order
  std::string reported;             // the procedure whose failure reached the report, if any
};

class CopyDriverTest : public CopyRoad {
 protected:
  void SetUp() override {
    // What the IDE would have saved into the copy directory.
    temp.Write("Copy/App.vbp", kCopiedVbp);
    temp.Write("Copy/Form1.frm",
               "VERSION 5.00\r\nBegin VB.Form Form1\r\nEnd\r\nAttribute VB_Name = \"Form1\"\r\n");
  }

  void Open(bool componentSaves = true) {
    Component form1 = InProj("Form1", type::kVBForm, "Form1.frm");
    form1.saveResult = componentSaves;
    ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {form1});
  }

  bool Run(const std::string& copyDirectory) {
    CopyDialog parts = Parts();
    return CopyProjectFromCD(parts, *ide.ActiveVBProject(), copyDirectory, temp.VbPath("Proj"),
                             "App.vbp");
  }
};

class CopyDriverStepsTest : public CopyDriverTest,
                            public testing::WithParamInterface<DriverCase> {};

TEST_P(CopyDriverStepsTest, RunsTheStepsInOrderAndRestoresTheAddIn) {
  const DriverCase& c = GetParam();
  Open(c.componentSaves);
  const bool withAddIn = c.addIn != AddIn::None;
  if (withAddIn) ide.InstallAddIn("VbScc", c.addIn == AddIn::Connected);
  ide.InstallAddIn("Other.Connect", true);
  if (c.projectError) ide.FailProjectSaveAs(VbError(*c.projectError));
  if (c.minimized) windows.SetWindowStateOf("frmCopyProject", forms::windowstate::kMinimized);
  dialog.Move(1000, 2000);
  const bool succeeds = c.componentSaves && !c.projectError;

  EXPECT_EQ(Run(temp.VbPath("Copy")), succeeds);

  EXPECT_EQ(Titles(), c.titles);
  if (c.projectError) {
    EXPECT_EQ(platform.Messages().back(), (Message{kNotSaved, "Error Saving VBP File", 48}));
  }
  ASSERT_EQ(failures.size(), c.reported.empty() ? 0u : 1u);
  if (!c.reported.empty()) {
    EXPECT_EQ(failures[0].rfind(c.reported + " ", 0), 0u) << failures[0];
  }

  std::vector<std::string> calls;
  if (withAddIn) calls.push_back("Connect VbScc 0");
  calls.push_back("SaveAs Form1 " + temp.VbPath("Copy\\Form1.frm"));
  if (c.componentSaves) calls.push_back("Project.SaveAs " + temp.VbPath("Copy\\App.vbp"));
  if (succeeds) calls.push_back("AddFromFile " + temp.VbPath("Proj\\App.vbp") + " -1");
  if (withAddIn) calls.push_back("Connect VbScc -1");
  EXPECT_EQ(ide.Calls(), calls);
  EXPECT_TRUE(ide.AddInConnected("Other.Connect"));
  if (withAddIn) {
    EXPECT_TRUE(ide.AddInConnected("vbscc"));
  }

  // Topmost while the components are saved, not while the IDE saves and reloads the project;
  // topmost and centred again at the end when the add-in was switched and the dialog shows.
  std::vector<std::string> stacking{"SetWindowPos frmCopyProject -1 0 0 0 0 19",
                                    "SetWindowPos frmCopyProject -2 0 0 0 0 19"};
  const bool recentred = withAddIn && !c.minimized;
  if (recentred) stacking.push_back(stacking[0]);
  EXPECT_EQ(windows.CallsStartingWith("SetWindowPos"), stacking);
  if (recentred) {
    EXPECT_DOUBLE_EQ(dialog.Left(), (platform.ScreenWidth() - dialog.Width()) / 2);
    EXPECT_DOUBLE_EQ(dialog.Top(), (platform.ScreenHeight() - dialog.Height()) / 2);
  } else {
    EXPECT_EQ(dialog.Left(), withAddIn ? 0 : 1000);
    EXPECT_EQ(dialog.Top(), withAddIn ? 0 : 2000);
  }

  // The progress row still shows and the pointer is still the hourglass.
  EXPECT_EQ(dialog.Ctl("lblFrom").Caption(), "Progress:");
  EXPECT_TRUE(dialog.Ctl("picModule").Visible());
  EXPECT_FALSE(dialog.Ctl("lblCurrentProject").Visible());
  EXPECT_EQ(dialog.Ctl("lblCurrentProject").Caption(), "Reloading Original Project");
  EXPECT_EQ(platform.MousePointer(), pointer::kHourglass);

  // Only a saved copy loses its compiled-output path.
  EXPECT_EQ(
      temp.Read("Copy/App.vbp"),
      succeeds ? "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"\"\r\nName=\"App\"\r\n" : kCopiedVbp);
}

const char kHalted[] = "Copy Project Files";

INSTANTIATE_TEST_SUITE_P(
    Branches, CopyDriverStepsTest,
    testing::Values(
        DriverCase{"NoAddIn", AddIn::None, true, {}, false, {}, ""},
        DriverCase{"AddInConnected", AddIn::Connected, true, {}, false, {}, ""},
        DriverCase{"AddInDisconnected", AddIn::Disconnected, true, {}, false, {}, ""},
        DriverCase{"AddInMinimized", AddIn::Connected, true, {}, true, {}, ""},
        DriverCase{"ComponentsFailed", AddIn::Connected, false, {}, false, {kHalted}, ""},
        DriverCase{"ComponentsFailedNoAddIn", AddIn::None, false, {}, false, {kHalted}, ""},
        DriverCase{"ProjectFileDiskFull",
                   AddIn::Connected,
                   true,
                   vberr::kDiskFull,
                   false,
                   {"SaveVBP Error", "Error Saving VBP File"},
                   ""},
        DriverCase{"ProjectFileOtherFailure",
                   AddIn::None,
                   true,
                   vberr::kObjectVariableNotSet,
                   false,
                   {"Error Saving VBP File"},
                   "SaveVBP"}),
    [](const testing::TestParamInfo<DriverCase>& param) { return param.param.name; });

TEST_F(CopyDriverTest, StopsAtAFailingReloadWithoutReconnectingTheAddIn) {
  Open();
  ide.InstallAddIn("vbscc", true);
  ide.FailAddFromFile(VbError(vberr::kFileNotFound));

  EXPECT_FALSE(Run(temp.VbPath("Copy")));

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].rfind("CopyProjectFromCD ", 0), 0u) << failures[0];
  EXPECT_EQ(failures[0].substr(failures[0].rfind(' ')), " 53");
  EXPECT_FALSE(ide.AddInConnected("vbscc"));
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(CopyDriverTest, LeavesTheSourceProjectFileAloneWhenTheCopyIsTheSourceItself) {
  // "Proj\" names the project directory in another spelling: the validation lets it through,
  // so the project file the IDE "saved" there is the source project file.
  const std::string source = "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\n";
  temp.Write("Proj/App.vbp", source);
  Open();

  EXPECT_TRUE(Run(temp.VbPath("Proj\\")));

  EXPECT_EQ(temp.Read("Proj/App.vbp"), source);
  EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace zarvelin::copy
