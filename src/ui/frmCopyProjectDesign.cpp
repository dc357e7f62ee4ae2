#include <utility>

#include "ui/frmCopyProject.h"

namespace zarvelin {
namespace {

using forms::ControlDesign;
using forms::ControlKind;
using forms::Rgb;

ControlDesign Make(std::string name, ControlKind kind, std::string container, std::string caption,
                   std::string toolTip, double left, double top, double width, double height) {
  ControlDesign control = forms::Placed(std::move(name), kind, std::move(container),
                                        std::move(caption), left, top, width, height);
  control.toolTip = std::move(toolTip);
  return control;
}

ControlDesign CommandButton(std::string name, std::string caption, std::string toolTip,
                            double left) {
  return Make(std::move(name), ControlKind::CommandButton, "fraCmds", std::move(caption),
              std::move(toolTip), left, 240, 1095, 375);
}

}  // namespace

forms::FormDesign frmCopyProjectDesign() {
  forms::FormDesign form;
  form.name = "frmCopyProject";
  form.caption = "Zarvelin";
  form.clientWidth = 8325;
  form.clientHeight = 2835;
  form.icon = "frmCopyProject";
  form.centredOnScreen = true;

  form.controls.push_back(Make("picLogo", ControlKind::PictureBox, "", "", "", 2520, 0, 3135, 495));
  form.controls.push_back(
      Make("fraCopyProject", ControlKind::Frame, "", "Copy Project", "", 120, 480, 8055, 1515));
  form.controls.push_back(
      Make("lblFrom", ControlKind::Label, "fraCopyProject", "From:", "", 120, 315, 735, 255));
  form.controls.push_back(Make("lblCurrentProject", ControlKind::Label, "fraCopyProject",
                               "C:\\Current Project", "", 960, 240, 6975, 375));

  ControlDesign picModule =
      Make("picModule", ControlKind::PictureBox, "fraCopyProject", "", "", 960, 300, 6975, 255);
  picModule.backColor = forms::kLightGray;
  picModule.foreColor = forms::kPureBlue;
  form.controls.push_back(std::move(picModule));

  form.controls.push_back(Make("cmdBrowse", ControlKind::CommandButton, "fraCopyProject",
                               "&To:", "Browse for Copy Directory", 240, 720, 615, 375));
  form.controls.push_back(
      Make("txtDirectory", ControlKind::TextBox, "fraCopyProject", "", "", 960, 720, 6975, 285));
  // Shown only while the IDE holds more than one project.
  ControlDesign copyGroup = Make("chkCopyGroup", ControlKind::CheckBox, "fraCopyProject",
                                 "Copy all projects of the group", "", 960, 1140, 4095, 255);
  copyGroup.visible = false;
  form.controls.push_back(std::move(copyGroup));

  form.controls.push_back(Make("fraCmds", ControlKind::Frame, "", "", "", 120, 1980, 8055, 735));
  form.controls.push_back(CommandButton("cmdExplorer", "&Explorer...", "Windows Explorer", 375));
  form.controls.push_back(CommandButton("cmdCopy", "&Copy", "Start to copy project", 1620));
  form.controls.push_back(CommandButton("cmdRefresh", "&Refresh", "Refresh for new project", 2865));
  form.controls.push_back(CommandButton("cmdHelp", "&Help", "Help", 4125));
  form.controls.push_back(CommandButton("cmdAbout", "&About", "About", 5370));
  form.controls.push_back(CommandButton("cmdExit", "E&xit", "Exit", 6615));

  // Enter and Esc answer through buttons that lie below the visible client area.
  ControlDesign ok = Make("cmdOK", ControlKind::CommandButton, "", "OK", "", 1920, 3720, 1215, 375);
  ok.isDefault = true;
  form.controls.push_back(std::move(ok));
  ControlDesign cancel =
      Make("cmdCancel", ControlKind::CommandButton, "", "Cancel", "", 3600, 3840, 1215, 375);
  cancel.isCancel = true;
  form.controls.push_back(std::move(cancel));
  return form;
}

}  // namespace zarvelin
