#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fakes/RecordingWindowBackend.h"
#include "forms/Form.h"
#include "forms/WindowBackend.h"

namespace zarvelin::forms::testing {

// A form that writes down its events, with a small design of every kind of control.
class ProbeForm : public Form {
 public:
  static FormDesign Design() {
    FormDesign design;
    design.name = "frmProbe";
    design.caption = "Probe";
    design.clientWidth = 4800;
    design.clientHeight = 3600;
    design.unattendedButton = "cmdOK";
    design.controls = {
        Placed("lblInfo", ControlKind::Label, "", "Design text", 120, 600, 3000, 255),
        Placed("txtEntry", ControlKind::TextBox, "", "typed", 120, 1000, 3000, 285),
        Placed("cmdOK", ControlKind::CommandButton, "", "OK", 120, 3000, 1000, 375),
        Placed("cmdCancel", ControlKind::CommandButton, "", "Cancel", 1300, 3000, 1000, 375),
        Placed("fraBox", ControlKind::Frame, "", "Box", 120, 1400, 4000, 1200),
        Placed("lblInner", ControlKind::Label, "fraBox", "Inside", 120, 240, 2000, 255),
        Placed("picBar", ControlKind::PictureBox, "fraBox", "", 120, 240, 2000, 255),
        Placed("lblTitle", ControlKind::Label, "", "Title", 120, 120, 3000, 255),
    };
    design.controls[2].isDefault = true;
    design.controls[3].isCancel = true;
    return design;
  }

  explicit ProbeForm(FormDesign design = Design()) : Form(std::move(design)) {
    OnClick("cmdOK", [this] { events.push_back("cmdOK_Click"); });
    OnClick("cmdCancel", [this] { events.push_back("cmdCancel_Click"); });
    OnDblClick("lblInfo", [this] { events.push_back("lblInfo_DblClick"); });
  }

  std::vector<std::string> events;
  int32_t cancelInQueryUnload = 0;
  int32_t cancelInUnload = 0;
  std::vector<int32_t> unloadModes;

 protected:
  void Form_Load() override { events.push_back("Form_Load"); }
  void Form_Activate() override { events.push_back("Form_Activate"); }
  void Form_QueryUnload(int32_t& cancel, int32_t unloadMode) override {
    events.push_back("Form_QueryUnload");
    unloadModes.push_back(unloadMode);
    cancel = cancelInQueryUnload;
  }
  void Form_Unload(int32_t& cancel) override {
    events.push_back("Form_Unload");
    cancel = cancelInUnload;
  }
};

// Installs a recording backend for one test.
class RecordedWindows {
 public:
  RecordedWindows() { SetWindowBackend(&backend); }
  ~RecordedWindows() { SetWindowBackend(nullptr); }
  RecordedWindows(const RecordedWindows&) = delete;
  RecordedWindows& operator=(const RecordedWindows&) = delete;

  fakes::RecordingWindowBackend backend;
};

}  // namespace zarvelin::forms::testing
