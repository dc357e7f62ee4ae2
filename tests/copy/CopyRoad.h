#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copy/CopyDialog.h"
#include "fakes/FakeIde.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "forms/Form.h"
#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "support/CWindow.h"

namespace zarvelin::copy {

// The copy road's surroundings for one test: a scripted platform, a recording window backend,
// the failures that reached the report (as "procedure line number", the module put before the
// procedure when it is not the dialog's), a dialog window holding the
// controls the road works on, a scriptable IDE, and the host's files under a fresh directory
// (also reachable as the share \\server\share and as the drive D:).
class CopyRoad : public testing::Test {
 protected:
  CopyRoad() {
    SetPlatform(&platform);
    forms::SetWindowBackend(&windows);
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
          const std::string where = module == "frmCopyProject"
                                        ? std::string(procedure)
                                        : std::string(module) + "." + std::string(procedure);
          failures.push_back(where + " " + std::to_string(line) + " " + std::to_string(number));
        });
    dialog.Load();
  }
  ~CopyRoad() override {
    dialog.Unload();
    SetFailureReporter({});
    forms::SetWindowBackend(nullptr);
    SetPlatform(nullptr);
  }

  static forms::FormSpec DialogDesign() {
    forms::FormSpec design;
    design.name = "frmCopyProject";
    design.clientWidth = 8325;
    design.clientHeight = 2535;
    auto control = [&](std::string name, forms::ControlKind kind, std::string caption,
                       bool visible) {
      forms::ControlSpec c;
      c.name = std::move(name);
      c.kind = kind;
      c.caption = std::move(caption);
      c.left = 960;
      c.top = 300;
      c.width = 6975;
      c.height = 255;
      c.visible = visible;
      return c;
    };
    design.controls.push_back(control("lblFrom", forms::ControlKind::Label, "From:", true));
    design.controls.push_back(control("lblCurrentProject", forms::ControlKind::Label, "", true));
    forms::ControlSpec picModule = control("picModule", forms::ControlKind::PictureBox, "", false);
    picModule.backColor = forms::Rgb{192, 192, 192};
    picModule.foreColor = forms::Rgb{0, 0, 255};
    design.controls.push_back(picModule);
    design.controls.push_back(control("txtDirectory", forms::ControlKind::TextBox, "", true));
    return design;
  }

  static headless::PathMapperConfig SharedTemp(const fakes::TempDir& dir) {
    headless::PathMapperConfig config;
    config.shares[R"(\\server\share)"] = dir.HostPath();
    config.drives['D'] = dir.HostPath();
    return config;
  }

  CopyDialog Parts() { return CopyDialog{dialog, window, ide}; }
  forms::Control& Box() { return dialog.Ctl("picModule"); }

  // The texts the progress box shows now (after its last Cls).
  std::vector<std::string> DrawnTexts() {
    std::vector<std::string> texts;
    for (const forms::DrawOp& op : Box().Drawing()) {
      if (const auto* text = std::get_if<forms::DrawnText>(&op)) texts.push_back(text->text);
    }
    return texts;
  }

  // Titles of the message boxes shown, in order.
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& message : platform.Messages()) titles.push_back(message.title);
    return titles;
  }

  fakes::TempDir temp;
  headless::PathMapper paths{SharedTemp(temp)};
  headless::HostFileSystem files{paths};
  ScopedRuntime runtime{Runtime{&files, nullptr, {}}};
  fakes::ScriptedPlatform platform;
  fakes::RecordingWindowBackend windows;
  std::vector<std::string> failures;
  forms::Form dialog{DialogDesign()};
  CWindow window;
  fakes::FakeIde ide;
};

}  // namespace zarvelin::copy
