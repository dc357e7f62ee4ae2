#pragma once

#include <cstdint>
#include <string>

#include "forms/Form.h"

namespace zarvelin {

// The window's design: captions, positions, colours and fonts of every control.
forms::FormDesign frmErrorDesign();

// The error report window: shows one failure with facts about the program and the machine, takes
// the user's description of what led to it, and on Continue or End logs the report to Error.log
// beside the program and puts it on the clipboard. Print Error prints the report, Help explains
// the window, and on closing the user may choose to mail the support address.
class frmError : public forms::Form {
 public:
  frmError();

  // The report text as Continue, End and Print Error hand it on, dated when it is built.
  std::string BuildErrorReport();

  // The extension of the program file: ".exe", or ".dll" when no ".exe" is there.
  std::string sExeExt;
  // The user answered Yes to the e-mail question on closing.
  bool bSendMail = false;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int32_t& cancel, int32_t unloadMode) override;
  void Form_Unload(int32_t& cancel) override;

 private:
  void cmdContinue_Click();
  void cmdEnd_Click();
  void cmdPrint_Click();
  void cmdHelp_Click();

  void ShowProgramFile();
  void HandOnReport(bool emptyClipboardFirst);
  std::string FormatDescriptionLines(forms::Control& textBox);
  bool PrinterAvailable();
  void MailErrorReport();
};

}  // namespace zarvelin
