#include <utility>

#include "ui/frmAbout.h"

namespace zarvelin {
namespace {

using forms::ControlDesign;
using forms::ControlKind;
using forms::Font;
using forms::Rgb;

const Font kTitleFont{"MS Sans Serif", 18, true};

ControlDesign Row(std::string name, ControlKind kind, std::string caption, double left, double top,
                  double width, double height) {
  ControlDesign control =
      forms::Placed(std::move(name), kind, "", std::move(caption), left, top, width, height);
  if (kind == ControlKind::Label) control.backColor = forms::kLightGray;
  return control;
}

// A separator line from x1 to x2 at one height.
ControlDesign Separator(std::string name, double y) {
  return forms::Placed(std::move(name), ControlKind::Line, "", "", 1020, y, 4980, y);
}

}  // namespace

forms::FormDesign frmAboutDesign() {
  forms::FormDesign form;
  form.name = "frmAbout";
  form.caption = "About";
  form.clientWidth = 5070;
  form.clientHeight = 4095;
  form.backColor = forms::kLightGray;
  form.unattendedButton = "butOK";

  form.controls.push_back(Row("butOK", ControlKind::CommandButton, "&OK", 3900, 3120, 1035, 360));
  form.controls.push_back(
      Row("lblFileTime", ControlKind::Label, "File Time:", 1020, 2400, 3930, 195));
  form.controls.push_back(Row("lblPath", ControlKind::Label, "", 1020, 2640, 3930, 195));
  ControlDesign www = Row("lblWWW", ControlKind::Label, "", 1005, 1560, 3945, 240);
  www.foreColor = forms::kPureBlue;
  form.controls.push_back(std::move(www));
  ControlDesign title = Row("imgTitle", ControlKind::Image, "", 960, 240, 3015, 495);
  title.picture = "frmAboutTitle";
  form.controls.push_back(std::move(title));
  form.controls.push_back(Separator("Line1(0)", 1860));
  form.controls.push_back(Separator("Line1(1)", 2925));
  form.controls.push_back(Row("ImgIcon", ControlKind::Image, "", 180, 120, 615, 555));
  form.controls.push_back(Row("lbVersion", ControlKind::Label, "", 1020, 780, 2715, 255));
  form.controls.push_back(Row("lbComment", ControlKind::Label, "", 1020, 3000, 2715, 735));
  form.controls.push_back(Row("lbInfo", ControlKind::Label, "", 1020, 1905, 3930, 480));
  form.controls.push_back(Row("lbCopyright", ControlKind::Label, "", 1005, 1050, 3945, 240));
  // Sized by its text, as an auto-sized label: one line of the title font.
  ControlDesign program = Row("lbProgram", ControlKind::Label, "", 1020, 240, 2895, 435);
  program.font = kTitleFont;
  form.controls.push_back(std::move(program));
  return form;
}

}  // namespace zarvelin
