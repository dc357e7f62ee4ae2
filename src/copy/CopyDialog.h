#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "ide/Vbide.h"
#include "support/CWindow.h"

namespace zarvelin::copy {

// What the copy road works on: the copy dialog's window and the controls it shows the copy in,
// the dialog's window helper and the IDE object handed to the dialog. A quiet copy (a script's)
// shows no progress bar and no closing message; refusals and failures still show.
struct CopyDialog {
  forms::Form& form;
  forms::Control& txtDirectory;
  forms::Control& lblFrom;
  forms::Control& lblCurrentProject;
  forms::Control& picModule;
  CWindow& window;
  ide::VBE& vbe;
  bool quiet = false;
  // The files the last copy saved under another name than their own, "source -> new name".
  std::vector<std::string> renamed;
};

// The module name the copy road's failures are reported under: the procedures belong to the
// dialog.
inline constexpr std::string_view kModule = "frmCopyProject";

// The IDE's source-code-control add-in, disconnected while a copy runs.
inline constexpr std::string_view kSccAddInProgId = "vbscc";

// Titles and line breaks of the road's message boxes.
inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace zarvelin::copy
