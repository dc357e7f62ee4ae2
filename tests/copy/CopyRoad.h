#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "copy/CopyCommand.h"
#include "copy/CopyDialog.h"
#include "fakes/FakeIde.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "forms/Form.h"
#include "forms/WindowBackend.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "support/CWindow.h"

namespace zarvelin::copy {

using Component = fakes::FakeIde::ComponentScript;
using Message = fakes::ScriptedPlatform::ShownMessage;
namespace type = ide::component;

inline Component Scripted(std::string name, int32_t componentType, std::string fileName) {
  Component c;
  c.name = std::move(name);
  c.type = componentType;
  c.fileName = std::move(fileName);
  return c;
}

// The copy road's surroundings: a scripted platform, a recording window backend, the failures
// that reached the report ("procedure line number", with "module." in front when the module is
// not the dialog's), the dialog's controls, a scriptable IDE and the host's files under a fresh
// directory (also reachable as the share \\server\share and as the drive D:), reached through a
// fault injector.
class CopyRoad : public testing::Test {
 protected:
  CopyRoad() {
    SetPlatform(&platform);
    forms::SetWindowBackend(&windows);
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
          const std::string where = module == kModule
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

  static forms::FormDesign DialogDesign() {
    forms::FormDesign design;
    design.name = "frmCopyProject";
    design.clientWidth = 8325;
    design.clientHeight = 2535;
    for (const auto& [name, kind, caption] :
         {std::tuple{"lblFrom", forms::ControlKind::Label, "From:"},
          std::tuple{"lblCurrentProject", forms::ControlKind::Label, ""},
          std::tuple{"picModule", forms::ControlKind::PictureBox, ""},
          std::tuple{"txtDirectory", forms::ControlKind::TextBox, ""}}) {
      forms::ControlDesign c;
      c.name = name;
      c.kind = kind;
      c.caption = caption;
      c.width = 6975;
      c.height = 255;
      c.visible = kind != forms::ControlKind::PictureBox;
      c.foreColor = forms::Rgb{0, 0, 255};
      design.controls.push_back(c);
    }
    return design;
  }

  static host::PathMapperConfig SharedTemp(const fakes::TempDir& dir) {
    host::PathMapperConfig config;
    config.shares[R"(\\server\share)"] = dir.HostPath();
    config.drives['D'] = dir.HostPath();
    return config;
  }

  // "{T}" in a typed path stands for the test directory.
  std::string Expand(std::string text) const {
    const size_t at = text.find("{T}");
    if (at != std::string::npos) text.replace(at, 3, temp.VbPath());
    return text;
  }

  // A component saved under the test directory's Proj folder.
  Component InProj(std::string name, int32_t componentType, const std::string& file) const {
    return Scripted(std::move(name), componentType, temp.VbPath("Proj\\" + file));
  }

  // Types a directory into the dialog and presses Copy.
  bool Press(ide::VBE& vbe, const std::string& typed) {
    dialog.Ctl("txtDirectory").SetText(typed);
    CopyDialog parts{dialog, window, vbe};
    return cmdCopy_Click(parts);
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

  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& message : platform.Messages()) titles.push_back(message.title);
    return titles;
  }

  fakes::TempDir temp;
  host::PathMapper paths{SharedTemp(temp)};
  host::HostFileSystem files{paths};
  fakes::FaultyFileSystem faulty{files};
  ScopedRuntime runtime{Runtime{&faulty, nullptr, {}}};
  fakes::ScriptedPlatform platform;
  fakes::RecordingWindowBackend windows;
  std::vector<std::string> failures;
  forms::Form dialog{DialogDesign()};
  CWindow window;
  fakes::FakeIde ide;
};

}  // namespace zarvelin::copy
