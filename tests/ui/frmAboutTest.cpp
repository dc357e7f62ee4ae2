#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Trap.h"
#include "ui/ErrMsg.h"
#include "ui/ErrorWindowFixture.h"
#include "ui/frmAbout.h"

namespace zarvelin {
namespace {

struct AboutCase {
  std::string name;
  double callerWidth, callerHeight;  // client area; the frame adds 90 x 375 as to the box's
  bool showOK, dllThere;
  double left, top;  // the box's, 5160 x 4470, over a caller at 1000, 2000
  std::string exeType, fileTime, longPath;
};

class AboutTest : public testing_ui::ErrorWindowTest,
                  public testing::WithParamInterface<AboutCase> {};

TEST_P(AboutTest, CentresOverTheCallerAndShowsTheProgramFileByItsLongNames) {
  const AboutCase& c = GetParam();
  forms::FormDesign design;
  design.name = design.icon = "frmCopyProject";
  design.clientWidth = c.callerWidth;
  design.clientHeight = c.callerHeight;
  forms::Form caller(design);
  caller.Move(1000, 2000);
  ScopedRuntime shortNames{Runtime{&files, &clock, testing_ui::TestApp("C:\\PROGRA~1\\ZARVEL~1")}};
  const std::string dll = "C:\\PROGRA~1\\ZARVEL~1\\Zarvelin.dll";
  if (c.dllThere)
    ON_CALL(files, LastModified(dll)).WillByDefault(testing::Return(testing_ui::kDllTime));
  ON_CALL(files, FindFirst("C:\\PROGRA~1", 22)).WillByDefault(testing::Return("Program Files"));
  ON_CALL(files, FindFirst("C:\\PROGRA~1\\ZARVEL~1", 22))
      .WillByDefault(testing::Return("Zarvelin"));
  ON_CALL(files, FindFirst(dll, 22)).WillByDefault(testing::Return("Zarvelin.dll"));
  frmAbout about;
  about.fCallingForm = &caller;
  about.ShowOK = c.showOK;

  about.Show(0);

  EXPECT_EQ(about.Left(), c.left);
  EXPECT_EQ(about.Top(), c.top);
  EXPECT_EQ(about.Ctl("butOK").Visible(), c.showOK);
  EXPECT_EQ(about.Ctl("ImgIcon").Picture(), "frmCopyProject");
  EXPECT_EQ(about.Ctl("lbVersion").Caption(), "Release Version: 1.00.1406");
  EXPECT_EQ(about.Ctl("lbInfo").Caption(),
            "Microsoft Windows 2000 Workstation Version 5.0 Service Pack 2 (Build 2195)");
  EXPECT_EQ(about.ExeType(), c.exeType);
  EXPECT_EQ(about.Ctl("lblFileTime").Caption(), c.fileTime);
  EXPECT_EQ(about.Ctl("lblPath").ToolTipText(), c.longPath);
  // Compacted to the label's 3930 twips at 15 twips a pixel.
  EXPECT_EQ(about.Ctl("lblPath").Caption(), "262:" + c.longPath);
}

// Odd halves are cut toward zero, also when the caller is the smaller one.
INSTANTIATE_TEST_SUITE_P(Callers, AboutTest,
                         testing::Values(AboutCase{"Larger", 8325, 2535, true, true, 2627, 1220,
                                                   ".dll", "File Time: 11/30/2026 5:05:09 PM",
                                                   "C:\\Program Files\\Zarvelin\\Zarvelin.dll"},
                                         AboutCase{"SmallerNoDll", 1001, 500, false, false, -1034,
                                                   203, ".exe", "File Time:", ""}),
                         [](const auto& param) { return param.param.name; });

using AboutIconTest = testing_ui::ErrorWindowTest;

TEST_F(AboutIconTest, ReportsADivisionByZeroAndTheBoxStays) {
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
  forms::Form caller(forms::FormDesign{});
  frmAbout about;
  about.fCallingForm = &caller;
  about.Show(0);

  about.DblClick("ImgIcon");
  about.DblClick("imgTitle");
  about.Click("lblWWW");

  EXPECT_EQ(shown, (std::vector<std::string>{"frmAbout", "ImgIcon_DblClick", " 11",
                                             "Division by zero", "Visual Basic Error"}));
  EXPECT_TRUE(about.Visible());
  EXPECT_TRUE(windows.Topmost("frmAbout"));
  EXPECT_EQ(platform.Log().back(), "ShellExecute open https://zarvelin.example.org -> 42");
  SetFailureReporter({});
}

}  // namespace
}  // namespace zarvelin
