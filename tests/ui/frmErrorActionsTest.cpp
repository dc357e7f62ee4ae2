#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ErrorWindowFixture.h"
#include "runtime/Trap.h"
#include "terminal/HeadlessWindows.h"
#include "ui/ErrMsg.h"
#include "ui/frmError.h"

namespace zarvelin::testing_ui {
namespace {

using Message = fakes::ScriptedPlatform::ShownMessage;

constexpr DateTime kExeTime{2025, 1, 2, 0, 0, 1};

struct ActivationCase {
  const char* name;
  bool exeThere;
  std::optional<int32_t> exeError;  // the .exe lookup fails with this number
  bool dllThere;
  std::string fileTime;
  std::string path;
  std::string os;
  int32_t doEvents;
};

class ActivationTest : public ErrorWindowTest,
                       public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(ActivationTest, FindsTheProgramFile) {
  const ActivationCase& c = GetParam();
  using ::testing::Return;
  using ::testing::Throw;
  if (c.exeThere)
    ON_CALL(files, LastModified(std::string(kExePath))).WillByDefault(Return(kExeTime));
  if (c.exeError) {
    ON_CALL(files, LastModified(std::string(kExePath))).WillByDefault(Throw(VbError(*c.exeError)));
  }
  if (!c.dllThere) {
    ON_CALL(files, LastModified(std::string(kDllPath)))
        .WillByDefault(Throw(VbError(vberr::kFileNotFound)));
  }
  std::vector<std::string> shown;
  windows.OnModal("frmError", [&shown](forms::Form& form) {
    shown = {form.Ctl("lblFileTimeTxt").Caption(), form.Ctl("lblProgPathTxt").ToolTipText(),
             form.Ctl("lblOSTxt").Caption()};
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});

  ErrMsg("frmAbout", "ImgIcon_DblClick", 0, vberr::kDivisionByZero);

  EXPECT_EQ(shown, (std::vector<std::string>{c.fileTime, c.path, c.os}));
  EXPECT_EQ(platform.DoEventsCount(), c.doEvents);
}

const std::string kWin2000 = "Microsoft Windows 2000 Workstation 5.0 Service Pack 2 (Build 2195)";

INSTANTIATE_TEST_SUITE_P(
    ProgramFiles, ActivationTest,
    ::testing::Values(ActivationCase{"ExeFound", true, std::nullopt, true, "1/2/2025 12:00:01 AM",
                                     std::string(kExePath), kWin2000, 0},
                      ActivationCase{"FallsBackToDll", false, std::nullopt, true,
                                     "11/30/2026 5:05:09 PM", std::string(kDllPath), kWin2000, 1},
                      ActivationCase{"NeitherFound", false, std::nullopt, false, "000",
                                     std::string(kDllPath), kWin2000, 1},
                      ActivationCase{"OtherFailureEndsSilently", false, vberr::kPermissionDenied,
                                     true, "000", "", "000", 0}),
    [](const ::testing::TestParamInfo<ActivationCase>& testCase) { return testCase.param.name; });

TEST_F(ErrorWindowTest, LoadPlacesTheWindowTopmostAndCentred) {
  platform.SetScreen(12000, 9000);
  std::vector<std::string> shown;
  windows.OnModal("frmError", [&](forms::Form& form) {
    shown = {form.Caption(), form.Ctl("lblProgVersTxt").Caption(), form.Ctl("lblNote").Caption(),
             form.Ctl("lblProgPathTxt").Caption()};
    EXPECT_EQ(form.Left(), (12000 - form.Width()) / 2);
    EXPECT_EQ(form.Top(), (9000 - form.Height()) / 2);
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});

  ErrMsg("frmCopyProject", "cmdCopy_Click", 40, vberr::kObjectVariableNotSet);

  EXPECT_EQ(shown, (std::vector<std::string>{
                       "An Error Occured in: Zarvelin Saturday Dec 05,2026 @ 08:36:06", "1.00.1406",
                       "Note: The infomation on this form is copied to the clipboard and logged to "
                       "the file: ERROR.LOG in the: C:\\Program Files\\Zarvelin directory when you "
                       "click the Continue or End buttons.",
                       "C:\\Program Files\\Zarvelin\\Zarvelin.dll"}));
  EXPECT_EQ(windows.CallsStartingWith("SetWindowPos"),
            std::vector<std::string>{"SetWindowPos frmError -1 0 0 0 0 19"});
}

const Message kQuestion{"Do you wish to email the error information?", "E-Mail Error Information",
                        36};
const Message kPasteHint{
    "When the email form appears,\r\nUse Edit-Paste to paste the error\r\ninformation into the "
    "email",
    "Email Error Information", 64};

TEST_F(ErrorWindowTest, OwnCloseCommandLogsNothingButStillAsks) {
  platform.PutOnClipboard("held before", 7);
  platform.AnswerMessageBoxes({mb::kAnswerNo});

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  EXPECT_TRUE(platform.LogEntries().empty());
  EXPECT_EQ(platform.ClipboardText(), "held before");
  EXPECT_EQ(platform.ClipboardBitmap(), 7);
  EXPECT_EQ(platform.ClipboardClears(), 0);
  EXPECT_EQ(platform.Messages(), std::vector<Message>{kQuestion});
  EXPECT_TRUE(platform.ShellCalls().empty());
  EXPECT_EQ(ErrorWindow(), nullptr);
}

struct ShellCase {
  int32_t code;
  std::optional<std::string> message;
};

class MailFailureTest : public ErrorWindowTest, public ::testing::WithParamInterface<ShellCase> {};

// Yes opens a mail to support from the error window; a failing shell code is explained.
TEST_P(MailFailureTest, ShellCodeIsExplained) {
  const ShellCase& c = GetParam();
  intptr_t handle = 0;
  windows.OnModal("frmError", [&handle](forms::Form& form) {
    handle = form.hWnd();
    form.Click("cmdEnd");
  });
  platform.AnswerShellExecute({c.code});
  platform.AnswerMessageBoxes({mb::kAnswerYes, mb::kAnswerOk, mb::kAnswerOk});

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  std::vector<Message> expected{kQuestion, kPasteHint};
  if (c.message) expected.push_back({*c.message, "Error: Cannot Mail Error", 48});
  EXPECT_EQ(platform.Messages(), expected);
  EXPECT_NE(handle, 0);
  const fakes::ScriptedPlatform::ShellCall mail{
      handle,
      "open",
      "mailto:support@zarvelin.example.org?subject=Error in Zarvelin Version: 1.00.1406&body="
      "Mod=frmCopyProject Proc=CopyProjectFiles Err= 53 Line= 0",
      "",
      "",
      1};
  EXPECT_EQ(platform.ShellCalls(), std::vector<fakes::ScriptedPlatform::ShellCall>{mail});
  EXPECT_EQ(platform.MousePointerHistory(), std::vector<int32_t>{pointer::kDefault});
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MailFailureTest,
    ::testing::Values(
        ShellCase{0, "The operating system is out of memory or resources."}, ShellCase{1, ""},
        ShellCase{2, "The specified file was not found."},
        ShellCase{3, "The specified path was not found."}, ShellCase{4, ""},
        ShellCase{5, "The operating system denied access to the specified file."},
        ShellCase{8, "There was not enough memory to complete the operation."},
        ShellCase{11, "The .exe file is invalid (non-Win32\xAE .exe or error in .exe image)."},
        ShellCase{26, "A sharing violation occurred."},
        ShellCase{27, "The file name association is incomplete or invalid."},
        ShellCase{28, "The DDE transaction could not be completed because the request timed out."},
        ShellCase{29, "The DDE transaction failed."},
        ShellCase{30,
                  "The DDE transaction could not be completed because other DDE transactions were "
                  "being processed."},
        ShellCase{31, "There is no application associated with the given file name extension."},
        ShellCase{32, "The specified dynamic-link library was not found."}, ShellCase{-5, ""},
        ShellCase{33, std::nullopt}, ShellCase{42, std::nullopt}));

TEST_F(ErrorWindowTest, HelpExplainsTheWindowAndLeavesItOpen) {
  bool openAfterHelp = false;
  windows.OnModal("frmError", [&openAfterHelp](forms::Form& form) {
    form.Click("cmdHelp");
    openAfterHelp = form.Loaded() && form.Visible();
  });
  platform.AnswerMessageBoxes({mb::kAnswerOk, mb::kAnswerNo});

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  ASSERT_FALSE(platform.Messages().empty());
  EXPECT_EQ(platform.Messages()[0],
            (Message{"Please provide Customer Service with the information displayed.\r\n"
                     "\r\n"
                     "This infomation is copied to the clipboard and logged to \r\n"
                     "the file: ERROR.LOG in the:\r\n"
                     "C:\\Program Files\\Zarvelin directory.\r\n"
                     "\r\n"
                     "Please enter any additional information in the text box.\r\n"
                     "\r\n"
                     "If you have a printer connected to your computer, you can \r\n"
                     "print out the information using the Print Error button.\r\n"
                     "\r\n"
                     "If you have a e-mail connected to your computer, you can \r\n"
                     "e-mail the information after you close the form.\r\n"
                     "\r\n"
                     "Continue program operation using the the Continue button.\r\n"
                     "\r\n"
                     "If this same error repeats, exit the program with the End button.",
                     "An Error Occured in Your Program ...", 64}));
  EXPECT_TRUE(openAfterHelp);
}

struct PrintCase {
  const char* name;
  bool printer;
  bool printFails;
  size_t printed;
  std::optional<std::string> told;  // start of the "Printer Error" box's text
};

class PrintTest : public ErrorWindowTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintTest, PrintsTheReportWhenAPrinterIsThere) {
  const PrintCase& c = GetParam();
  if (!c.printer) platform.SetPrinter(std::nullopt);
  platform.failPrint = c.printFails;
  bool openAfterPrint = false;
  windows.OnModal("frmError", [&openAfterPrint](forms::Form& form) {
    form.Click("cmdPrint");
    openAfterPrint = form.Loaded() && form.Visible();
    form.Click("cmdContinue");
  });
  platform.AnswerMessageBoxes({mb::kAnswerOk, mb::kAnswerNo});

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  EXPECT_TRUE(openAfterPrint);
  ASSERT_EQ(platform.Printed().size(), c.printed);
  if (c.printed == 1) {
    EXPECT_EQ(platform.Printed()[0].text, platform.ClipboardText());
    EXPECT_EQ(platform.Printed()[0].scaleMode, 5);
    EXPECT_EQ(platform.Printed()[0].currentY, -0.5f);
  }
  const bool printerBoxShown =
      !platform.Messages().empty() && platform.Messages()[0].title == "Printer Error";
  ASSERT_EQ(printerBoxShown, c.told.has_value());
  if (c.told) {
    EXPECT_EQ(platform.Messages()[0].text.substr(0, c.told->size()), *c.told);
    EXPECT_EQ(platform.Messages()[0].style, 48);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PrintTest,
    ::testing::Values(
        PrintCase{"Printed", true, false, 1, std::nullopt},
        PrintCase{"NoPrinter", false, false, 0,
                  "No default printer installed.\r\nTo install and select a default printer, "
                  "select the Setting / Printers command in the Start menu, and then double-click "
                  "on the Add Printer icon."},
        PrintCase{"PrinterFailsAfterProbe", true, true, 0,
                  "The error report could not be printed."}),
    [](const ::testing::TestParamInfo<PrintCase>& testCase) { return testCase.param.name; });

TEST_F(ErrorWindowTest, TrappedFailuresReachTheWindowOnceInstalled) {
  InstallErrorReport();
  std::vector<std::string> shown;
  bool currentWhileShown = false;
  windows.OnModal("frmError", [&](forms::Form& form) {
    currentWhileShown = ErrorWindow() == &form;
    shown = {form.Ctl("lblModuleTxt").Caption(), form.Ctl("lblProcTxt").Caption(),
             form.Ctl("lblLineNumTxt").Caption(), form.Ctl("lblErrNumTxt").Caption()};
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});

  Trap("cVBP", "ReadVBP", [](Erl& erl) {
    erl = 20;
    throw VbError(vberr::kPathNotFound);
  });
  SetFailureReporter({});

  EXPECT_TRUE(currentWhileShown);
  EXPECT_EQ(shown, (std::vector<std::string>{"cVBP", "ReadVBP", " 20", " 76"}));
  EXPECT_EQ(ErrorWindow(), nullptr);
}

TEST_F(ErrorWindowTest, FailureStillReachesTheUserWithoutAWindow) {
  forms::SetWindowBackend(nullptr);

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].style, mb::kCritical);
  const std::string expectedStart =
      "Error 53 (File not found) in frmCopyProject.CopyProjectFiles, line 0.";
  EXPECT_EQ(platform.Messages()[0].text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(ErrorWindow(), nullptr);
}

// Where nobody can answer, the window shows its text and goes on as Continue.
TEST_F(ErrorWindowTest, TerminalRunActsAsContinue) {
  std::FILE* terminal = std::tmpfile();
  ASSERT_NE(terminal, nullptr);
  {
    terminal::HeadlessWindows headless(terminal, false);
    forms::SetWindowBackend(&headless);
    platform.AnswerMessageBoxes({mb::kAnswerNo});

    ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);
    forms::SetWindowBackend(nullptr);
  }
  std::rewind(terminal);
  std::string shown;
  for (int c = std::fgetc(terminal); c != EOF; c = std::fgetc(terminal)) {
    shown += static_cast<char>(c);
  }
  std::fclose(terminal);

  EXPECT_EQ(platform.LogEntriesOf(std::string(kLogPath)).size(), 1u);
  EXPECT_EQ(platform.ClipboardClears(), 1);
  EXPECT_NE(shown.find("An Error Occured in: Zarvelin"), std::string::npos);
  EXPECT_NE(shown.find("CopyProjectFiles"), std::string::npos);
}

TEST(frmErrorDesignTest, FailureFieldsStandOutInLightCyan) {
  const forms::FormDesign design = frmErrorDesign();
  const std::vector<std::string> failureFields{"lblModuleTxt", "lblProcTxt",   "lblLineNumTxt",
                                               "lblErrNumTxt", "lblErrCatTxt", "lblErrDescTxt"};
  int32_t cyan = 0;
  int32_t lines = 0;
  for (const forms::ControlDesign& control : design.controls) {
    if (control.kind == forms::ControlKind::Line) {
      ++lines;
      EXPECT_EQ(control.top, control.height) << control.name << " is not level";
    }
    if (control.kind != forms::ControlKind::Label) continue;
    const bool failureField =
        std::find(failureFields.begin(), failureFields.end(), control.name) != failureFields.end();
    const forms::Rgb expected =
        failureField ? forms::Rgb{192, 255, 255} : forms::Rgb{192, 192, 192};
    EXPECT_EQ(control.backColor, expected) << control.name;
    EXPECT_EQ(control.font, (forms::Font{"MS Sans Serif", 8.25, true})) << control.name;
    if (failureField) ++cyan;
  }
  EXPECT_EQ(cyan, 6);
  EXPECT_EQ(lines, 5);
  EXPECT_EQ(design.unattendedButton, "cmdContinue");
}

}  // namespace
}  // namespace zarvelin::testing_ui
