#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/Form.h"
#include "support/CWindow.h"

namespace zarvelin {

// The about box as its designer laid it out.
forms::FormDesign frmAboutDesign();

// The about window: the program's name, release version, copyright, comments, the operating
// system, and the program file's time and full path; its web label opens the maker's site.
// Double-clicking the icon raises a division by zero (the failure report, shown on demand), and
// double-clicking the title brings the window back on top of all others.
class frmAbout : public forms::Form {
 public:
  frmAbout();

  // The form that opens the about box: it is centred over that form and shows its icon. Must be
  // set before the box loads.
  forms::Form* fCallingForm = nullptr;
  // Whether the OK button shows.
  bool ShowOK = false;

  // The extension the program file is looked for with: ".dll", or ".exe" when no ".dll" is there.
  const std::string& ExeType() const { return exeType_; }
  void ExeType(std::string sExeType) { exeType_ = std::move(sExeType); }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int32_t& cancel) override;

 private:
  void ShowProgramFile();
  std::string ProgramFile() const;
  std::string GetLongPath(const std::string& sPath);
  std::string CompactPath(const std::string& sPath, int32_t lWidth, intptr_t hDC);
  void ImgIcon_DblClick();
  void imgTitle_DblClick();

  std::unique_ptr<CWindow> window_;
  std::string exeType_;
};

}  // namespace zarvelin
