#include <utility>

#include "ui/frmError.h"

namespace zarvelin {
namespace {

using forms::ControlDesign;
using forms::ControlKind;
using forms::Font;
using forms::Rgb;

constexpr Rgb kLightCyan{192, 255, 255};
const Font kBold{"MS Sans Serif", 8.25, true};

constexpr double kCaptionLeft = 540;
constexpr double kCaptionWidth = 1695;
constexpr double kValueLeft = 2280;
constexpr double kValueWidth = 4155;
constexpr double kRowHeight = 255;
constexpr double kButtonTop = 4920;
constexpr double kButtonWidth = 1035;
constexpr double kButtonHeight = 435;

ControlDesign Label(std::string name, std::string caption, double left, double top, double width,
                    double height, Rgb backColor) {
  ControlDesign label = forms::Placed(std::move(name), ControlKind::Label, "", std::move(caption),
                                      left, top, width, height);
  label.backColor = backColor;
  label.font = kBold;
  return label;
}

ControlDesign Button(std::string name, std::string caption, std::string toolTip, double left) {
  ControlDesign button =
      forms::Placed(std::move(name), ControlKind::CommandButton, "", std::move(caption), left,
                    kButtonTop, kButtonWidth, kButtonHeight);
  button.toolTip = std::move(toolTip);
  button.font = kBold;
  return button;
}

// A separator across the window at one height: x1, y1, x2, y2.
ControlDesign Separator(std::string name, double y) {
  ControlDesign line;
  line.name = std::move(name);
  line.kind = ControlKind::Line;
  line.left = 540;
  line.top = y;
  line.width = 6420;
  line.height = y;
  return line;
}

// One row of the fact table: its caption on the left, its value on the right.
struct Row {
  const char* captionName;
  const char* caption;
  const char* valueName;
  const char* designText;
  double top;
  double valueHeight;
  Rgb valueBack;
};

constexpr Row kRows[] = {
    {"lblProgVers", "Program Version:", "lblProgVersTxt", "Version 1.00.0001", 120, 255,
     forms::kLightGray},
    {"lblFileTime", "File Time:", "lblFileTimeTxt", "000", 480, 255, forms::kLightGray},
    {"lblProgPath", "Program Path:", "lblProgPathTxt", "000", 780, 255, forms::kLightGray},
    {"lblOS", "Operating System:", "lblOSTxt", "000", 1080, 255, forms::kLightGray},
    {"lblModule", "Module:", "lblModuleTxt", "000", 1440, 255, kLightCyan},
    {"lblProc", "Procedure:", "lblProcTxt", "000", 1740, 255, kLightCyan},
    {"lblLineNum", "Line Number:", "lblLineNumTxt", "000", 2040, 255, kLightCyan},
    {"lblErrNum", "Error Number:", "lblErrNumTxt", "000", 2400, 255, kLightCyan},
    {"lblErrCat", "Error Category:", "lblErrCatTxt", "000", 2700, 255, kLightCyan},
    {"lblErrDesc", "Error Description:", "lblErrDescTxt", "000", 3000, 795, kLightCyan},
};

}  // namespace

forms::FormDesign frmErrorDesign() {
  forms::FormDesign form;
  form.name = "frmError";
  form.caption = "An Error has occured";
  form.clientWidth = 6615;
  form.clientHeight = 6180;
  form.backColor = forms::kLightGray;
  // Where nobody can answer, the window goes on as if the user had pressed Continue.
  form.unattendedButton = "cmdContinue";

  for (const Row& row : kRows) {
    form.controls.push_back(Label(row.captionName, row.caption, kCaptionLeft, row.top,
                                  kCaptionWidth, kRowHeight, forms::kLightGray));
    form.controls.push_back(Label(row.valueName, row.designText, kValueLeft, row.top, kValueWidth,
                                  row.valueHeight, row.valueBack));
  }

  form.controls.push_back(Label("lblDesc",
                                "Please enter a description of the steps that produced the error.",
                                kCaptionLeft, 3900, kCaptionWidth, 855, forms::kLightGray));
  ControlDesign description;
  description.name = "txtDesc";
  description.kind = ControlKind::TextBox;
  description.left = kValueLeft;
  description.top = 3900;
  description.width = 4215;
  description.height = 855;
  description.multiLine = true;
  description.verticalScroll = true;
  form.controls.push_back(std::move(description));

  form.controls.push_back(Label("lblCmd", "Continue unless in an error loop.", kCaptionLeft,
                                kButtonTop, kCaptionWidth, 435, forms::kLightGray));
  form.controls.push_back(Button("cmdContinue", "&Continue", "Continue program operation.", 2280));
  form.controls.push_back(Button("cmdEnd", "&End ", "End the program.", 3360));
  form.controls.push_back(
      Button("cmdPrint", "&Print Error", "Print the error data on your printer", 4440));
  form.controls.push_back(Button("cmdHelp", "&Help", "Help Information", 5520));
  form.controls.push_back(Label("lblNote", "", 60, 5400, 6495, 735, forms::kLightGray));

  ControlDesign icon;
  icon.name = "imgExclaim";
  icon.kind = ControlKind::Image;
  icon.left = 60;
  icon.top = 540;
  icon.width = 480;
  icon.height = 480;
  form.controls.push_back(std::move(icon));

  const double separatorHeights[] = {420, 1380, 2340, 3840, 4800};
  int number = 1;
  for (const double y : separatorHeights) {
    form.controls.push_back(Separator("Line" + std::to_string(number++), y));
  }
  return form;
}

}  // namespace zarvelin
