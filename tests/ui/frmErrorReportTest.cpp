#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ErrorWindowFixture.h"
#include "ui/ErrMsg.h"
#include "ui/frmError.h"

namespace zarvelin::testing_ui {
namespace {

// The report for a file-not-found failure in the copy, as this installation writes it.
std::string ExpectedReport(const std::string& userBlock, const std::string& nameLines) {
  return "\r\n" + kSep + "\r\n" +
         "Error in: \tZarvelin\r\n"
         "Time: \tSaturday Dec 05,2026 @ 08:36:06\r\n"
         "Version: \t1.00.1406\r\n"
         "File Time: \t11/30/2026 5:05:09 PM\r\n"
         "Program Path: \tC:\\Program Files\\Zarvelin\\Zarvelin.dll\r\n"
         "Operating System: \tMicrosoft Windows 2000 Workstation 5.0 Service Pack 2 (Build "
         "2195)\r\n"
         "Module: \tfrmCopyProject\r\n"
         "Procedure: \tCopyProjectFiles\r\n"
         "Line Number: \t 0\r\n"
         "Error Number: \t 53\r\n"
         "Error Category: \tVisual Basic Error\r\n"
         "Error Description: \r\nFile not found\r\n" +
         userBlock + kSep + "\r\n" + nameLines;
}

struct ReportCase {
  const char* name;
  const char* button;
  std::string description;
  NameAnswer user;
  NameAnswer computer;
  std::string userBlock;
  std::string nameLines;
};

const NameAnswer kJdoe{true, std::string("jdoe\0", 5), 5};
const NameAnswer kJdoePc{true, "JDOE-PC", 7};
const NameAnswer kNoName{false, "", 512};
const std::string kNames = "User Name: jdoe\r\nComputer Name: JDOE-PC\r\n";

class ReportTextTest : public ErrorWindowTest, public ::testing::WithParamInterface<ReportCase> {};

// Continue empties the clipboard first; End keeps what other formats hold. Either way the
// report is logged and put on the clipboard, and the window goes.
TEST_P(ReportTextTest, LogAndClipboardGetTheReport) {
  const ReportCase& c = GetParam();
  const bool continues = std::string(c.button) == "cmdContinue";
  platform.UserNameAnswer() = c.user;
  platform.ComputerNameAnswer() = c.computer;
  platform.PutOnClipboard("held before", 7);
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  UserTypesAndPresses(c.description, c.button);

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  const std::string expected = ExpectedReport(c.userBlock, c.nameLines);
  EXPECT_EQ(platform.LogEntriesOf(std::string(kLogPath)), std::vector<std::string>{expected});
  EXPECT_EQ(platform.ClipboardText(), expected);
  EXPECT_EQ(platform.ClipboardClears(), continues ? 1 : 0);
  EXPECT_EQ(platform.ClipboardBitmap(), continues ? std::nullopt : std::optional<int32_t>(7));
  EXPECT_EQ(ErrorWindow(), nullptr);
  EXPECT_FALSE(windows.Window("frmError").exists);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportTextTest,
    ::testing::Values(
        ReportCase{"NoDescription", "cmdContinue", "", kJdoe, kJdoePc, "", kNames},
        ReportCase{"EndKeepsOtherClipboardFormats", "cmdEnd", "", kJdoe, kJdoePc, "", kNames},
        ReportCase{"OneLine", "cmdContinue", "Pressed Copy", kJdoe, kJdoePc,
                   "User Description: \r\n'\r\n'\tPressed Copy\r\n'\r\n", kNames},
        ReportCase{"TwoLines", "cmdEnd", "Opened it\r\nPressed Copy", kJdoe, kJdoePc,
                   "User Description: \r\n'\r\n'\tOpened it\r\n'\tPressed Copy\r\n'\r\n", kNames},
        ReportCase{"BlanksOnlyIsNoDescription", "cmdContinue", "     ", kJdoe, kJdoePc, "", kNames},
        ReportCase{"LineBreakOnlyCounts", "cmdContinue", "\r\n", kJdoe, kJdoePc,
                   "User Description: \r\n'\r\n'\t\r\n'\t\r\n'\r\n", kNames},
        ReportCase{"UserNameMissing", "cmdContinue", "", kNoName, kJdoePc, "",
                   "Computer Name: JDOE-PC\r\n"},
        ReportCase{"ComputerNameMissing", "cmdContinue", "", kJdoe, kNoName, "",
                   "User Name: jdoe\r\n"},
        ReportCase{"BothNamesMissing", "cmdContinue", "", kNoName, kNoName, "", ""}),
    [](const ::testing::TestParamInfo<ReportCase>& testCase) { return testCase.param.name; });

// The quoted lines of the report's user description block.
std::vector<std::string> QuotedLines(const std::string& report) {
  const std::string start = "User Description: \r\n'\r\n";
  const size_t begin = report.find(start);
  const size_t end = report.find("'\r\n" + kSep, begin);
  std::vector<std::string> lines;
  if (begin == std::string::npos || end == std::string::npos) return lines;
  size_t at = begin + start.size();
  while (at < end) {
    const size_t lineEnd = report.find("\r\n", at);
    lines.push_back(report.substr(at, lineEnd - at));
    at = lineEnd + 2;
  }
  return lines;
}

TEST_F(ErrorWindowTest, WrappedDescriptionGivesOneQuotedLinePerShownLine) {
  const std::string text =
      "Opened the project, pressed Copy, chose a directory on the network drive and waited for "
      "the copy to finish";
  int32_t shownLines = 0;
  windows.OnModal("frmError", [&](forms::Form& form) {
    form.Ctl("txtDesc").SetText(text);
    shownLines = form.Ctl("txtDesc").LineCount();
    form.Click("cmdContinue");
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  const std::vector<std::string> lines = QuotedLines(platform.ClipboardText().value_or(""));
  ASSERT_GT(shownLines, 1);
  ASSERT_EQ(lines.size(), static_cast<size_t>(shownLines));
  std::string joined;
  for (const std::string& line : lines) {
    ASSERT_EQ(line.substr(0, 2), "'\t");
    joined += line.substr(2);
  }
  EXPECT_EQ(joined, text);
}

// A font narrow enough that an 80-character line fits the text box on one line.
class NarrowFontBackend : public fakes::RecordingWindowBackend {
 public:
  double TextWidthTwips(const forms::Font& /*font*/, std::string_view text) override {
    return 10.0 * static_cast<double>(text.size());
  }
};

TEST_F(ErrorWindowTest, DescriptionLineIsCutTo65Characters) {
  NarrowFontBackend narrow;
  forms::SetWindowBackend(&narrow);
  std::string eighty;
  for (int tens = 0; tens < 8; ++tens) eighty += "0123456789";
  narrow.OnModal("frmError", [&](forms::Form& form) {
    form.Ctl("txtDesc").SetText(eighty);
    form.Click("cmdEnd");
  });
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  EXPECT_EQ(QuotedLines(platform.ClipboardText().value_or("")),
            std::vector<std::string>{"'\t" + eighty.substr(0, 65)});
}

struct NumberCase {
  const char* name;
  int16_t line;
  int32_t number;
  std::optional<std::string> category;
  std::string lineText;
  std::string numberText;
  std::string categoryText;
  std::string description;
};

class NumberTextTest : public ErrorWindowTest, public ::testing::WithParamInterface<NumberCase> {};

// Window, report and mail all carry the numbers with their sign position.
TEST_P(NumberTextTest, NumbersKeepTheirSignPosition) {
  const NumberCase& c = GetParam();
  std::vector<std::string> shown;
  windows.OnModal("frmError", [&shown](forms::Form& form) {
    for (const char* label : {"lblLineNumTxt", "lblErrNumTxt", "lblErrCatTxt", "lblErrDescTxt"}) {
      shown.push_back(form.Ctl(label).Caption());
    }
    form.Click("cmdContinue");
  });
  platform.AnswerMessageBoxes({mb::kAnswerYes, mb::kAnswerOk});

  ErrMsg("cVBP", "ReadVBP", c.line, c.number, c.category);

  EXPECT_EQ(shown,
            (std::vector<std::string>{c.lineText, c.numberText, c.categoryText, c.description}));
  const std::string report = platform.ClipboardText().value_or("");
  EXPECT_NE(report.find("Line Number: \t" + c.lineText + "\r\nError Number: \t" + c.numberText +
                        "\r\nError Category: \t" + c.categoryText + "\r\nError Description: \r\n" +
                        c.description + "\r\n"),
            std::string::npos);
  ASSERT_EQ(platform.ShellCalls().size(), 1u);
  EXPECT_EQ(platform.ShellCalls()[0].file,
            "mailto:support@zarvelin.example.org?subject=Error in Zarvelin Version: "
            "1.00.1406&body=Mod=cVBP Proc=ReadVBP Err=" +
                c.numberText + " Line=" + c.lineText);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberTextTest,
    ::testing::Values(NumberCase{"FileNotFoundAtLineZero", 0, 53, std::nullopt, " 0", " 53",
                                 "Visual Basic Error", "File not found"},
                      NumberCase{"PathNotFound", 120, 76, std::nullopt, " 120", " 76",
                                 "Visual Basic Error", "Path not found"},
                      NumberCase{"NegativeWithCategory", -1, -2147221504, "Automation", "-1",
                                 "-2147221504", "Automation",
                                 "Application-defined or object-defined error"}),
    [](const ::testing::TestParamInfo<NumberCase>& testCase) { return testCase.param.name; });

struct LogPlaceCase {
  const char* name;
  std::string programDir;
  std::string logFile;
};

class LogPlaceTest : public ErrorWindowTest, public ::testing::WithParamInterface<LogPlaceCase> {};

TEST_P(LogPlaceTest, LogLiesInTheProgramDirectory) {
  const ScopedRuntime atRoot{Runtime{&files, &clock, TestApp(GetParam().programDir)}};
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  UserTypesAndPresses("", "cmdContinue");

  ErrMsg("mMain", "GetFilePath", 10, vberr::kPathNotFound);

  EXPECT_EQ(platform.LogEntries().size(), 1u);
  EXPECT_EQ(platform.LogEntriesOf(GetParam().logFile).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, LogPlaceTest,
    ::testing::Values(LogPlaceCase{"DriveRootWithBackslash", "C:\\", "C:\\Error.log"},
                      LogPlaceCase{"DriveRootAlone", "C:", "C:\\Error.log"},
                      LogPlaceCase{"Folder", "D:\\Tools\\Zarvelin",
                                   "D:\\Tools\\Zarvelin\\Error.log"}),
    [](const ::testing::TestParamInfo<LogPlaceCase>& testCase) { return testCase.param.name; });

TEST_F(ErrorWindowTest, SecondFailureAppendsToTheSameLogInAFreshWindow) {
  UserTypesAndPresses("First description", "cmdContinue");
  UserTypesAndPresses("", "cmdContinue");
  platform.AnswerMessageBoxes({mb::kAnswerNo, mb::kAnswerNo});

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);
  ErrMsg("cVBP", "ReadVBP", 30, vberr::kPermissionDenied);

  const std::vector<std::string> entries = platform.LogEntriesOf(std::string(kLogPath));
  ASSERT_EQ(entries.size(), 2u);
  const std::string opening = "\r\n" + kSep + "\r\n";
  for (const std::string& entry : entries) EXPECT_EQ(entry.substr(0, opening.size()), opening);
  EXPECT_NE(entries[0].find("User Description: "), std::string::npos);
  EXPECT_EQ(entries[1].find("User Description: "), std::string::npos);
  EXPECT_NE(entries[1].find("Module: \tcVBP\r\n"), std::string::npos);
  EXPECT_EQ(windows.Window("frmError").createdCount, 2);
}

struct KeepFailureCase {
  const char* name;
  bool failLog;
  bool failClipboard;
  bool logged;
  bool onClipboard;
};

class KeepFailureTest : public ErrorWindowTest,
                        public ::testing::WithParamInterface<KeepFailureCase> {};

// A report that cannot be logged or copied still reaches the user, and the window still closes.
TEST_P(KeepFailureTest, UserIsToldWhereTheReportWent) {
  const KeepFailureCase& c = GetParam();
  platform.failLog = c.failLog;
  platform.failClipboard = c.failClipboard;
  platform.AnswerMessageBoxes({mb::kAnswerOk, mb::kAnswerNo});
  UserTypesAndPresses("", "cmdContinue");

  ErrMsg("frmCopyProject", "CopyProjectFiles", 0, vberr::kFileNotFound);

  const std::string report = ExpectedReport("", kNames);
  EXPECT_EQ(platform.LogEntriesOf(std::string(kLogPath)).size(), c.logged ? 1u : 0u);
  EXPECT_EQ(platform.ClipboardText() == report, c.onClipboard);
  ASSERT_EQ(platform.Messages().size(), 2u);
  const std::string& told = platform.Messages()[0].text;
  EXPECT_EQ(platform.Messages()[0].style, mb::kExclamation);
  EXPECT_EQ(told.find("Error.log") != std::string::npos, c.failLog);
  EXPECT_EQ(told.find("clipboard") != std::string::npos, c.failClipboard);
  EXPECT_EQ(told.find(report) != std::string::npos, !c.logged && !c.onClipboard);
  EXPECT_EQ(platform.Messages()[1].title, "E-Mail Error Information");
  EXPECT_FALSE(windows.Window("frmError").exists);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, KeepFailureTest,
    ::testing::Values(KeepFailureCase{"LogFails", true, false, false, true},
                      KeepFailureCase{"ClipboardFails", false, true, true, false},
                      KeepFailureCase{"BothFail", true, true, false, false}),
    [](const ::testing::TestParamInfo<KeepFailureCase>& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace zarvelin::testing_ui
