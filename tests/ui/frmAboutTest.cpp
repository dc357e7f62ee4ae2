#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Trap.h"
#include "ui/ErrMsg.h"
#include "ui/ErrorWindowFixture.h"
#include "ui/frmAbout.h"

namespace zarvelin {
namespace {

using testing_ui::kDllTime;
using Shell = fakes::ScriptedPlatform::ShellCall;

class AboutTest : public testing_ui::ErrorWindowTest {
 protected:
  AboutTest() {
    callerDesign.name = "frmCopyProject";
    callerDesign.icon = "frmCopyProject";
    about.fCallingForm = &caller;
  }

  forms::FormDesign callerDesign;
  forms::Form caller{callerDesign};
  frmAbout about;
};

struct PlaceCase {
  std::string name;
  double clientWidth, clientHeight, left, top;
  bool showOK;
  double expectedLeft, expectedTop;
};

class AboutPlaceTest : public AboutTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(AboutPlaceTest, CentresOverTheCallerAndShowsOkOnRequest) {
  const PlaceCase& c = GetParam();
  callerDesign.clientWidth = c.clientWidth;
  callerDesign.clientHeight = c.clientHeight;
  forms::Form sized(callerDesign);
  sized.Move(c.left, c.top);
  about.fCallingForm = &sized;
  about.ShowOK = c.showOK;

  about.Load();

  EXPECT_EQ(about.Left(), c.expectedLeft);
  EXPECT_EQ(about.Top(), c.expectedTop);
  EXPECT_EQ(about.Ctl("butOK").Visible(), c.showOK);
  EXPECT_EQ(about.Ctl("ImgIcon").Picture(), "frmCopyProject");
  EXPECT_EQ(about.Caption(), "About Zarvelin");
  EXPECT_EQ(about.Ctl("lbVersion").Caption(), "Release Version: 1.00.1406");
}

// The about box is 5160 x 4470 twips with its frame; the odd halves are cut toward zero.
INSTANTIATE_TEST_SUITE_P(
    Callers, AboutPlaceTest,
    testing::Values(PlaceCase{"Larger", 8325, 2535, 1000, 2000, true, 2627, 1220},
                    PlaceCase{"Smaller", 1001, 500, 0, 0, false, -2034, -1797}),
    [](const auto& param) { return param.param.name; });

struct ProgramCase {
  std::string name;
  bool dllThere;
  std::string exeType, fileTime, longPath;
};

class AboutProgramTest : public AboutTest, public testing::WithParamInterface<ProgramCase> {};

TEST_P(AboutProgramTest, ShowsTheProgramFileByItsLongNames) {
  const ProgramCase& c = GetParam();
  AppFacts app = testing_ui::TestApp("C:\\PROGRA~1\\ZARVEL~1");
  ScopedRuntime shortNames{Runtime{&files, &clock, app}};
  const std::string dll = "C:\\PROGRA~1\\ZARVEL~1\\Zarvelin.dll";
  if (c.dllThere) ON_CALL(files, LastModified(dll)).WillByDefault(testing::Return(kDllTime));
  ON_CALL(files, FindFirst("C:\\PROGRA~1", 22)).WillByDefault(testing::Return("Program Files"));
  ON_CALL(files, FindFirst("C:\\PROGRA~1\\ZARVEL~1", 22))
      .WillByDefault(testing::Return("Zarvelin"));
  ON_CALL(files, FindFirst(dll, 22)).WillByDefault(testing::Return("Zarvelin.dll"));
  platform.CompactPathsBy([](std::string_view path, int32_t width) {
    return path.empty()
               ? std::string()
               : std::to_string(width) + std::string(path.substr(path.rfind('\\'))) + '\0' + "junk";
  });

  about.Load();
  about.Activate();

  EXPECT_EQ(about.ExeType(), c.exeType);
  EXPECT_EQ(about.Ctl("lblFileTime").Caption(), c.fileTime);
  EXPECT_EQ(about.Ctl("lblPath").ToolTipText(), c.longPath);
  EXPECT_EQ(about.Ctl("lblPath").Caption(), c.longPath.empty() ? "" : "262\\Zarvelin.dll");
  EXPECT_EQ(about.Ctl("lbInfo").Caption(),
            "Microsoft Windows 2000 Workstation Version 5.0 Service Pack 2 (Build 2195)");
}

INSTANTIATE_TEST_SUITE_P(Files, AboutProgramTest,
                         testing::Values(ProgramCase{"Dll", true, ".dll",
                                                     "File Time: 11/30/2026 5:05:09 PM",
                                                     "C:\\Program Files\\Zarvelin\\Zarvelin.dll"},
                                         ProgramCase{"NoDll", false, ".exe", "File Time:", ""}),
                         [](const auto& param) { return param.param.name; });

TEST_F(AboutTest, IconReportsADivisionByZeroAndTheBoxStays) {
  InstallErrorReport();
  std::vector<std::string> shown;
  windows.OnModal("frmError", [&](forms::Form& report) {
    for (const char* label :
         {"lblModuleTxt", "lblProcTxt", "lblErrNumTxt", "lblErrDescTxt", "lblErrCatTxt"}) {
      shown.push_back(report.Ctl(label).Caption());
    }
    report.Click("cmdContinue");
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  about.Show(0);

  about.DblClick("ImgIcon");
  about.DblClick("imgTitle");
  about.Click("lblWWW");

  EXPECT_EQ(shown, (std::vector<std::string>{"frmAbout", "ImgIcon_DblClick", " 11",
                                             "Division by zero", "Visual Basic Error"}));
  EXPECT_TRUE(about.Visible());
  EXPECT_TRUE(windows.Topmost("frmAbout"));
  EXPECT_EQ(
      platform.ShellCalls(),
      (std::vector<Shell>{{about.hWnd(), "open", "https://zarvelin.example.org", "", "C:\\", 1}}));
  SetFailureReporter({});
}

}  // namespace
}  // namespace zarvelin
