#include "ui/frmAbout.h"

#include <exception>
#include <string_view>

#include "platform/Platform.h"
#include "runtime/Formats.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "ui/OsDescription.h"

namespace zarvelin {
namespace {

constexpr std::string_view kModule = "frmAbout";

// ShellExecuteA's normal window.
constexpr int32_t kShowNormal = 1;
// Dir's mask for a path component: hidden, system and directory entries too.
constexpr int32_t kAnyEntry = fileattr::kHidden | fileattr::kSystem | fileattr::kDirectory;

// VB's "/" operator, which fails on a zero divisor rather than giving infinity.
double Quotient(double dividend, double divisor) {
  if (divisor == 0) throw VbError(vberr::kDivisionByZero);
  return dividend / divisor;
}

}  // namespace

frmAbout::frmAbout() : forms::Form(frmAboutDesign()) {
  OnClick("butOK", [this] { Unload(); });
  OnClick("lblWWW", [this] {
    Sys().ShellExecuteFile(hWnd(), "open", App().companyWebSite, "", "C:\\", kShowNormal);
  });
  OnDblClick("ImgIcon", [this] { ImgIcon_DblClick(); });
  OnDblClick("imgTitle", [this] { imgTitle_DblClick(); });
}

void frmAbout::Form_Load() {
  window_ = std::make_unique<CWindow>();
  if (fCallingForm == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  Ctl("ImgIcon").SetPicture(fCallingForm->Definition().icon);

  // Centred over the caller, also when the caller is the smaller one; the size stays.
  const int32_t leftOffset = VbLong(fCallingForm->Width() - Width()) / 2;
  const int32_t topOffset = VbLong(fCallingForm->Height() - Height()) / 2;
  Move(fCallingForm->Left() + leftOffset, fCallingForm->Top() + topOffset);

  Ctl("butOK").SetVisible(ShowOK);

  const AppFacts& app = App();
  SetCaption("About " + app.title);
  Ctl("lbProgram").SetCaption(app.title);
  Ctl("lbVersion")
      .SetCaption("Release Version: " + FormatVersion(app.major, app.minor, app.revision));
  Ctl("lbCopyright").SetCaption(app.legalCopyright);
  Ctl("lbComment").SetCaption(app.comments);
  Ctl("lblWWW").SetCaption(app.companyWebSite);
}

void frmAbout::Form_Activate() {
  try {
    ShowProgramFile();
  } catch (...) {
    // The facts are a courtesy: the box shows what it found before the failure and stays open.
  }
}

void frmAbout::ShowProgramFile() {
  Ctl("lbInfo").SetCaption(GetOSDescription(" Version "));
  ExeType(".dll");
  try {
    Ctl("lblFileTime")
        .SetCaption("File Time: " + GeneralDateTime(Files().LastModified(ProgramFile())));
  } catch (...) {
    if (AsVbError(std::current_exception()).Number() != vberr::kFileNotFound) throw;
    // Run as a program rather than loaded into the IDE as the add-in.
    ExeType(".exe");
    Sys().DoEvents();
  }

  const std::string sLongPath = GetLongPath(ProgramFile());
  forms::Control& lblPath = Ctl("lblPath");
  const int32_t lWidth = VbLong(lblPath.Width()) / VbLong(Sys().TwipsPerPixelX());
  lblPath.SetCaption(CompactPath(sLongPath, lWidth, hDC()));
  lblPath.SetToolTipText(sLongPath);
  Ctl("lbComment").SetCaption(App().comments);
}

void frmAbout::Form_Unload(int32_t& /*cancel*/) {
  window_.reset();
}

std::string frmAbout::ProgramFile() const {
  return ProgramFileOf(App(), exeType_);
}

std::string frmAbout::GetLongPath(const std::string& sPath) {
  const std::string s = sPath + "\\";
  std::string sResult;
  // The drive part ("C:\") is kept as written; every component after it as the disk stores it.
  size_t p = s.size() > 3 ? s.find('\\', 3) : std::string::npos;
  while (p != std::string::npos) {
    const std::string sName = Files().FindFirst(s.substr(0, p), kAnyEntry);
    if (sName.empty()) return std::string();
    sResult += "\\" + sName;
    p = s.find('\\', p + 1);
  }
  return s.substr(0, 2) + sResult;
}

std::string frmAbout::CompactPath(const std::string& sPath, int32_t lWidth, intptr_t hDC) {
  std::string compacted = Sys().CompactPath(hDC, sPath, lWidth);
  return compacted.substr(0, compacted.find('\0'));
}

void frmAbout::ImgIcon_DblClick() {
  Trap(kModule, "ImgIcon_DblClick", [](Erl&) {
    const double divisor = 0;
    VbInteger(Quotient(1, divisor));
  });
}

void frmAbout::imgTitle_DblClick() {
  if (window_ == nullptr) return;
  window_->SetOnTop(*this, false);
  window_->SetOnTop(*this, true);
}

}  // namespace zarvelin
