#include "ui/frmError.h"

#include <exception>
#include <iterator>
#include <string_view>

#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/Formats.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "ui/LogonNames.h"
#include "ui/MailFailureText.h"
#include "ui/OsDescription.h"
#include "ui/ShortPath.h"

namespace zarvelin {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kTitle = "Zarvelin";

// A description line is cut to what the edit control's line buffer holds.
constexpr int32_t kDescriptionLineChars = 65;
constexpr int32_t kProgramPathChars = 45;

// Print Error's page layout: scale in inches, half an inch up.
constexpr int32_t kScaleInches = 5;
constexpr float kTopOffsetInches = -0.5f;

const std::string& Separator() {
  static const std::string separator = "'" + std::string(70, '-');
  return separator;
}

std::string ProgramFile(const std::string& extension) {
  return ProgramFileOf(App(), extension);
}

std::string ReportTime() {
  return FormatReportTime(Now());
}

std::string HelpText() {
  const std::string lines[] = {
      "Please provide Customer Service with the information displayed.",
      "",
      "This infomation is copied to the clipboard and logged to ",
      "the file: ERROR.LOG in the:",
      App().path + " directory.",
      "",
      "Please enter any additional information in the text box.",
      "",
      "If you have a printer connected to your computer, you can ",
      "print out the information using the Print Error button.",
      "",
      "If you have a e-mail connected to your computer, you can ",
      "e-mail the information after you close the form.",
      "",
      "Continue program operation using the the Continue button.",
      "",
      "If this same error repeats, exit the program with the End button.",
  };
  std::string text = lines[0];
  for (size_t index = 1; index < std::size(lines); ++index) {
    text += std::string(kCrLf) + lines[index];
  }
  return text;
}

}  // namespace

frmError::frmError() : forms::Form(frmErrorDesign()) {
  OnClick("cmdContinue", [this] { cmdContinue_Click(); });
  OnClick("cmdEnd", [this] { cmdEnd_Click(); });
  OnClick("cmdPrint", [this] { cmdPrint_Click(); });
  OnClick("cmdHelp", [this] { cmdHelp_Click(); });
}

void frmError::Form_Load() {
  Backend().SetWindowPos(*this, forms::windowpos::kTopmost, 0, 0, 0, 0,
                         forms::windowpos::kKeepPlaceAndSize);
  Move((Sys().ScreenWidth() - Width()) / 2, (Sys().ScreenHeight() - Height()) / 2);

  const AppFacts& app = App();
  Ctl("lblProgVersTxt").SetCaption(FormatVersion(app.major, app.minor, app.revision));
  SetCaption("An Error Occured in: " + app.title + " " + ReportTime());
  Ctl("lblNote").SetCaption(
      "Note: The infomation on this form is copied to the clipboard and logged to the file: "
      "ERROR.LOG in the: " +
      app.path + " directory when you click the Continue or End buttons.");
}

void frmError::Form_Activate() {
  sExeExt = ".exe";
  try {
    ShowProgramFile();
  } catch (...) {
    // The facts of the program file are a courtesy: the window shows what it could find and the
    // failure it is about stays the one reported.
  }
}

// File time, path and operating system. Only a missing program file is answered here; any other
// failure ends the steps where it happens.
void frmError::ShowProgramFile() {
  forms::Control& fileTime = Ctl("lblFileTimeTxt");
  try {
    fileTime.SetCaption(GeneralDateTime(Files().LastModified(ProgramFile(sExeExt))));
  } catch (...) {
    if (AsVbError(std::current_exception()).Number() != vberr::kFileNotFound) throw;
    // Loaded into the IDE the program is the add-in DLL, not an EXE.
    sExeExt = ".dll";
    Sys().DoEvents();
    try {
      fileTime.SetCaption(GeneralDateTime(Files().LastModified(ProgramFile(sExeExt))));
    } catch (...) {
      if (AsVbError(std::current_exception()).Number() != vberr::kFileNotFound) throw;
    }
  }

  const std::string path = ProgramFile(sExeExt);
  forms::Control& programPath = Ctl("lblProgPathTxt");
  programPath.SetCaption(ShortPath(path, kProgramPathChars));
  programPath.SetToolTipText(path);

  Ctl("lblOSTxt").SetCaption(GetOSDescription(" "));
}

std::string frmError::BuildErrorReport() {
  const auto field = [this](std::string_view label, std::string_view value) {
    return std::string(label) + "\t" + std::string(value) + std::string(kCrLf);
  };
  std::string report(kCrLf);
  report += Separator() + std::string(kCrLf);
  report += field("Error in: ", App().title);
  report += field("Time: ", ReportTime());
  report += field("Version: ", Ctl("lblProgVersTxt").Caption());
  report += field("File Time: ", Ctl("lblFileTimeTxt").Caption());
  report += field("Program Path: ", Ctl("lblProgPathTxt").ToolTipText());
  report += field("Operating System: ", Ctl("lblOSTxt").Caption());
  report += field("Module: ", Ctl("lblModuleTxt").Caption());
  report += field("Procedure: ", Ctl("lblProcTxt").Caption());
  report += field("Line Number: ", Ctl("lblLineNumTxt").Caption());
  report += field("Error Number: ", Ctl("lblErrNumTxt").Caption());
  report += field("Error Category: ", Ctl("lblErrCatTxt").Caption());
  report += "Error Description: " + std::string(kCrLf) + Ctl("lblErrDescTxt").Caption() +
            std::string(kCrLf);

  forms::Control& description = Ctl("txtDesc");
  if (!Trim(description.Text()).empty()) {
    report += "User Description: " + std::string(kCrLf) + FormatDescriptionLines(description) +
              std::string(kCrLf);
  }
  report += Separator() + std::string(kCrLf);

  const std::string user = CurrentUserName();
  if (!user.empty()) report += "User Name: " + user + std::string(kCrLf);
  const std::string computer = CurrentComputerName();
  if (!computer.empty()) report += "Computer Name: " + computer + std::string(kCrLf);
  return report;
}

// The description as the text box shows it, one quoted line per displayed line.
std::string frmError::FormatDescriptionLines(forms::Control& textBox) {
  const int32_t count = textBox.LineCount();
  std::string lines;
  if (count > 0) {
    lines += "'" + std::string(kCrLf);
    for (int32_t index = 0; index < count; ++index) {
      lines += "'\t" + textBox.Line(index, kDescriptionLineChars) + std::string(kCrLf);
    }
  }
  return lines + "'";
}

void frmError::cmdContinue_Click() {
  HandOnReport(true);
}

// End leaves the program running like Continue; it only keeps the clipboard's other formats.
void frmError::cmdEnd_Click() {
  HandOnReport(false);
}

// Logs the report and puts it on the clipboard, then closes. Either way of keeping the report may
// fail on its own; the user is then told where the report did go, and sees the report itself when
// it went nowhere, so a full disk or a busy clipboard never loses it or stops the program.
void frmError::HandOnReport(bool emptyClipboardFirst) {
  const std::string logFile = ErrorLogOf(App());
  std::string report;
  std::string problems;
  const auto note = [&problems](std::string_view what) {
    const VbError failure = AsVbError(std::current_exception());
    if (!problems.empty()) problems += std::string(kCrLf) + std::string(kCrLf);
    problems += std::string(what) + std::string(kCrLf) + failure.Description();
  };
  try {
    report = BuildErrorReport();
  } catch (...) {
    note("The error report could not be put together.");
  }
  bool kept = false;
  if (!report.empty()) {
    try {
      Sys().LogEvent(logFile, report);
      kept = true;
    } catch (...) {
      note("The error report could not be written to the file: " + logFile);
    }
    try {
      if (emptyClipboardFirst) Sys().ClipboardClear();
      Sys().ClipboardSetText(report);
      kept = true;
    } catch (...) {
      note("The error report could not be put on the clipboard.");
    }
  }
  if (!problems.empty()) {
    if (!kept && !report.empty()) problems += std::string(kCrLf) + report;
    Sys().MsgBox(problems, kTitle, mb::kExclamation);
  }
  Unload();
}

void frmError::Form_QueryUnload(int32_t& /*cancel*/, int32_t /*unloadMode*/) {
  const int32_t answer = Sys().MsgBox("Do you wish to email the error information?",
                                      "E-Mail Error Information", mb::kYesNo + mb::kQuestion);
  bSendMail = answer == mb::kAnswerYes;
  if (bSendMail) {
    Sys().MsgBox(
        "When the email form appears,\r\nUse Edit-Paste to paste the error\r\ninformation into "
        "the email",
        "Email Error Information", mb::kInformation);
  }
}

void frmError::Form_Unload(int32_t& /*cancel*/) {
  if (bSendMail) MailErrorReport();
}

void frmError::cmdHelp_Click() {
  Sys().MsgBox(HelpText(), "An Error Occured in Your Program ...", mb::kInformation);
}

void frmError::cmdPrint_Click() {
  if (!PrinterAvailable()) return;
  try {
    Sys().PrintDocument(BuildErrorReport(), kScaleInches, kTopOffsetInches);
  } catch (...) {
    // A printer that fails after answering the probe must not close the window or the program;
    // the report can still be kept with Continue or End.
    Sys().MsgBox("The error report could not be printed." + std::string(kCrLf) +
                     AsVbError(std::current_exception()).Description(),
                 "Printer Error", mb::kExclamation);
  }
}

bool frmError::PrinterAvailable() {
  try {
    Sys().PrinterDeviceName();
    return true;
  } catch (...) {
    Sys().MsgBox(
        "No default printer installed.\r\nTo install and select a default printer, select the "
        "Setting / Printers command in the Start menu, and then double-click on the Add Printer "
        "icon.",
        "Printer Error", mb::kExclamation);
    return false;
  }
}

// Opens a new message to customer service through the shell. The report itself goes by the
// clipboard; the mail names the failure so that the two can be matched.
void frmError::MailErrorReport() {
  const std::string body =
      "Mod=" + Ctl("lblModuleTxt").Caption() + " Proc=" + Ctl("lblProcTxt").Caption() +
      " Err=" + Ctl("lblErrNumTxt").Caption() + " Line=" + Ctl("lblLineNumTxt").Caption();
  const std::string subject =
      "Error in " + App().title + " Version: " + Ctl("lblProgVersTxt").Caption();
  const std::string url = "mailto:" + App().supportMail + "?subject=" + subject + "&body=" + body;
  const int32_t code = Sys().ShellExecuteFile(hWnd(), "open", url, "", "", 1);
  Sys().SetMousePointer(pointer::kDefault);
  constexpr int32_t kLastFailureCode = 32;
  if (code <= kLastFailureCode) {
    Sys().MsgBox(MailFailureText(code), "Error: Cannot Mail Error", mb::kExclamation);
  }
}

}  // namespace zarvelin
