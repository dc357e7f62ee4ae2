#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyProjectFromCD.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

using Component = fakes::FakeIde::ComponentScript;
namespace type = ide::component;

constexpr char kCopiedVbp[] =
    "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\nName=\"App\"\r\n";
constexpr char kCopiedForm[] =
    "VERSION 5.00\r\nBegin VB.Form Form1\r\nEnd\r\nAttribute VB_Name = \"Form1\"\r\n";

// What the IDE would have saved into the copy directory.
void WriteSavedCopy(const fakes::TempDir& temp) {
  temp.MakeDirectory("Copy");
  temp.Write("Copy/App.vbp", kCopiedVbp);
  temp.Write("Copy/Form1.frm", kCopiedForm);
}

enum class AddIn { None, Connected, Disconnected };

struct DriverCase {
  std::string name;
  AddIn addIn;
  bool componentSaves;                  // the IDE's save-as of the one component answers True
  std::optional<int32_t> projectError;  // the project's save-as fails with this number
  bool minimized;
  bool result;
  std::vector<std::string> titles;  // message boxes, in order
  bool reloaded;
};

class CopyDriverTest : public CopyRoad, public testing::WithParamInterface<DriverCase> {
 protected:
  void SetUp() override {
    temp.MakeDirectory("Proj");
    WriteSavedCopy(temp);
  }
};

TEST_P(CopyDriverTest, RunsTheStepsInOrderAndRestoresTheAddIn) {
  const DriverCase& c = GetParam();
  if (c.addIn != AddIn::None) ide.InstallAddIn("VbScc", c.addIn == AddIn::Connected);
  ide.InstallAddIn("Other.Connect", true);
  Component form1;
  form1.name = "Form1";
  form1.type = type::kVBForm;
  form1.fileName = temp.VbPath("Proj\\Form1.frm");
  form1.saveResult = c.componentSaves;
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {form1});
  if (c.projectError) ide.FailProjectSaveAs(VbError(*c.projectError));
  if (c.minimized) windows.SetWindowStateOf("frmCopyProject", forms::windowstate::kMinimized);
  dialog.Move(1000, 2000);
  CopyDialog parts = Parts();

  const bool result = CopyProjectFromCD(parts, *ide.ActiveVBProject(), temp.VbPath("Copy"),
                                        temp.VbPath("Proj"), "App.vbp");

  EXPECT_EQ(result, c.result);
  EXPECT_EQ(Titles(), c.titles);
  if (!c.projectError) {
    EXPECT_TRUE(failures.empty());
  }

  std::vector<std::string> calls;
  const bool withAddIn = c.addIn != AddIn::None;
  if (withAddIn) calls.push_back("Connect VbScc 0");
  calls.push_back("SaveAs Form1 " + temp.VbPath("Copy\\Form1.frm"));
  if (c.componentSaves) calls.push_back("Project.SaveAs " + temp.VbPath("Copy\\App.vbp"));
  if (c.reloaded) calls.push_back("AddFromFile " + temp.VbPath("Proj\\App.vbp") + " -1");
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
  if (recentred) stacking.push_back("SetWindowPos frmCopyProject -1 0 0 0 0 19");
  EXPECT_EQ(windows.CallsStartingWith("SetWindowPos"), stacking);
  if (recentred) {
    EXPECT_DOUBLE_EQ(dialog.Left(), (platform.ScreenWidth() - dialog.Width()) / 2);
    EXPECT_DOUBLE_EQ(dialog.Top(), (platform.ScreenHeight() - dialog.Height()) / 2);
  } else if (withAddIn) {
    EXPECT_EQ(dialog.Left(), 0);
    EXPECT_EQ(dialog.Top(), 0);
  } else {
    EXPECT_EQ(dialog.Left(), 1000);
    EXPECT_EQ(dialog.Top(), 2000);
  }

  // The layout after the driver: progress row showing, pointer still the hourglass.
  EXPECT_EQ(dialog.Ctl("lblFrom").Caption(), "Progress:");
  EXPECT_TRUE(dialog.Ctl("picModule").Visible());
  EXPECT_FALSE(dialog.Ctl("lblCurrentProject").Visible());
  EXPECT_EQ(dialog.Ctl("lblCurrentProject").Caption(), "Reloading Original Project");
  EXPECT_EQ(platform.MousePointer(), pointer::kHourglass);

  // Only a saved copy loses its compiled-output path.
  const std::string copied = temp.Read("Copy/App.vbp");
  if (c.result) {
    EXPECT_EQ(copied, "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"\"\r\nName=\"App\"\r\n");
  } else {
    EXPECT_EQ(copied, kCopiedVbp);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Branches, CopyDriverTest,
    testing::Values(DriverCase{"NoAddIn", AddIn::None, true, {}, false, true, {}, true},
                    DriverCase{"AddInConnected", AddIn::Connected, true, {}, false, true, {}, true},
                    DriverCase{
                        "AddInDisconnected", AddIn::Disconnected, true, {}, false, true, {}, true},
                    DriverCase{"AddInMinimized", AddIn::Connected, true, {}, true, true, {}, true},
                    DriverCase{"ComponentsFailed",
                               AddIn::Connected,
                               false,
                               {},
                               false,
                               false,
                               {"Copy Project Files"},
                               false},
                    DriverCase{"ComponentsFailedNoAddIn",
                               AddIn::None,
                               false,
                               {},
                               false,
                               false,
                               {"Copy Project Files"},
                               false},
                    DriverCase{"ProjectFileDiskFull",
                               AddIn::Connected,
                               true,
                               vberr::kDiskFull,
                               false,
                               false,
                               {"SaveVBP Error", "Error Saving VBP File"},
                               false},
                    DriverCase{"ProjectFileOtherFailure",
                               AddIn::None,
                               true,
                               vberr::kObjectVariableNotSet,
                               false,
                               false,
                               {"Error Saving VBP File"},
                               false}),
    [](const testing::TestParamInfo<DriverCase>& param) { return param.param.name; });

TEST_F(CopyRoad, DriverTellsWhyTheProjectFileWasNotSaved) {
  temp.MakeDirectory("Copy");
  Component form1;
  form1.name = "Form1";
  form1.type = type::kVBForm;
  form1.fileName = temp.VbPath("Proj\\Form1.frm");
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {form1});
  ide.FailProjectSaveAs(VbError(vberr::kObjectVariableNotSet));
  CopyDialog parts = Parts();

  EXPECT_FALSE(CopyProjectFromCD(parts, *ide.ActiveVBProject(), temp.VbPath("Copy"),
                                 temp.VbPath("Proj"), "App.vbp"));

  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].text,
            "The Copied Project's VBP File was Not Saved.\r\nYou Should Close this Project and "
            "Reopen it.");
  EXPECT_EQ(platform.Messages()[0].style, 48);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].substr(0, 8), "SaveVBP ");
}

TEST_F(CopyRoad, DriverStopsAtAFailingReloadWithoutReconnectingTheAddIn) {
  WriteSavedCopy(temp);
  ide.InstallAddIn("vbscc", true);
  Component form1;
  form1.name = "Form1";
  form1.type = type::kVBForm;
  form1.fileName = temp.VbPath("Proj\\Form1.frm");
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {form1});
  ide.FailAddFromFile(VbError(vberr::kFileNotFound));
  CopyDialog parts = Parts();

  EXPECT_FALSE(CopyProjectFromCD(parts, *ide.ActiveVBProject(), temp.VbPath("Copy"),
                                 temp.VbPath("Proj"), "App.vbp"));

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].substr(0, 18), "CopyProjectFromCD ");
  EXPECT_EQ(failures[0].substr(failures[0].rfind(' ')), " 53");
  EXPECT_FALSE(ide.AddInConnected("vbscc"));
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(CopyRoad, DriverLeavesTheSourceProjectFileAloneWhenTheCopyIsTheSourceItself) {
  // "Proj\" names the project directory in another spelling: the validation lets it through,
  // so the project file the IDE "saved" there is the source project file.
  const std::string source = "Type=Exe\r\nForm=Form1.frm\r\nPath32=\"..\\bin\"\r\n";
  temp.Write("Proj/App.vbp", source);
  Component form1;
  form1.name = "Form1";
  form1.type = type::kVBForm;
  form1.fileName = temp.VbPath("Proj\\Form1.frm");
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {form1});
  CopyDialog parts = Parts();

  EXPECT_TRUE(CopyProjectFromCD(parts, *ide.ActiveVBProject(), temp.VbPath("Proj\\"),
                                temp.VbPath("Proj"), "App.vbp"));

  EXPECT_EQ(temp.Read("Proj/App.vbp"), source);
  EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace zarvelin::copy
