#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ide/Vbide.h"
#include "ui/DialogHost.h"
#include "ui/frmCopyProject.h"

namespace zarvelin {

// How the IDE connects an add-in (ext_ConnectMode).
namespace connectmode {
inline constexpr int32_t kAfterStartup = 0;
inline constexpr int32_t kStartup = 1;
inline constexpr int32_t kExternal = 2;
inline constexpr int32_t kCommandLine = 3;
}  // namespace connectmode

// Why the IDE disconnects an add-in (ext_DisconnectMode).
namespace disconnectmode {
inline constexpr int32_t kHostShutdown = 0;
inline constexpr int32_t kUserClosed = 1;
}  // namespace disconnectmode

// The add-in as the IDE sees it. On connection it keeps the IDE object, puts "Zarvelin ..." into
// the File and Add-Ins menus and a button on the Standard toolbar, each opening the copy dialog,
// and opens the dialog at once when it was open at the last disconnection. On disconnection it
// takes the entries away, remembers whether the dialog was open and closes it; while the add-in's
// own code is on the stack (a copy yielding, a window of its own running) that waits until the
// code has returned, and the code can ask whether it is to stop.
class Connect : public DialogHost {
 public:
  // The custom arguments the IDE passes along with each event; the add-in reads none of them.
  using CustomArguments = std::vector<std::string>;

  Connect() = default;
  ~Connect() override = default;
  Connect(const Connect&) = delete;
  Connect& operator=(const Connect&) = delete;

  // A second connection while connected is ignored. Mode 1 (during the IDE's start-up) waits for
  // OnStartupComplete; the others complete the start-up at once, and mode 2 opens the dialog. A
  // failure shows "Unable to correctly connect the add-in"; what was stored before it stays.
  void OnConnection(ide::VBE* application, int32_t connectMode,
                    std::shared_ptr<ide::AddIn> addInInst, const CustomArguments& custom);
  // Creates the entries and opens the dialog when the setting says it was open. Its failures reach
  // the caller.
  void OnStartupComplete(const CustomArguments& custom);
  // Every step is tried, whatever failed before it; then, when given, `done` runs. While a
  // CallFrame is active all of it waits for the outermost frame to return.
  void OnDisconnection(int32_t removeMode, const CustomArguments& custom,
                       std::function<void()> done = {});
  void OnAddInsUpdate(const CustomArguments& custom);
  // The IDE is closing; its disconnection follows.
  void OnBeginShutdown(const CustomArguments& custom);

  // A disconnection has arrived and waits for the add-in's code to return: that code stops at
  // its next chance and makes no further call into the IDE.
  bool DisconnectionPending() const override { return disconnectionPending_; }
  // The IDE is closing: nothing is to be connected again in it (vbscc after a copy).
  bool ShuttingDown() const override { return shuttingDown_; }

  // Hands the dialog the IDE object and this connection, then shows it (0: modeless).
  void Show(frmCopyProject& window, int16_t modal = 0);
  // Unloads the dialog.
  void Hide(forms::Form& window) override;

  // A failure shows "Unable to create necessary menu items" and leaves the entries made so far.
  void CreateMenuItems();
  // Each entry that exists is deleted and its subscription released, whatever failed before it
  // (an entry never made, one the user deleted): an entry left behind would pile up with each
  // reconnection.
  void DestroyMenuItems();

  bool Connected() const { return addInInstance_ != nullptr; }
  // The copy dialog while it exists (from its first showing to the disconnection).
  frmCopyProject* Dialog() const { return frmAddIn_.get(); }

 private:
  frmCopyProject& TheDialog();
  void Disconnect();
  void mnuHandlerFile_Click(ide::CommandBarControl& control, bool& handled, bool& cancelDefault);
  void mnuHandlerAddIn_Click(ide::CommandBarControl& control, bool& handled, bool& cancelDefault);
  void btnHandlerStandard_Click(ide::CommandBarControl& control, bool& handled,
                                bool& cancelDefault);

  ide::VBE* VBInstance_ = nullptr;
  std::shared_ptr<ide::AddIn> addInInstance_;
  std::unique_ptr<frmCopyProject> frmAddIn_;
  std::shared_ptr<ide::CommandBarControl> mnuFile_;
  std::shared_ptr<ide::CommandBarControl> mnuAddIn_;
  std::shared_ptr<ide::CommandBarControl> btnStandard_;
  std::shared_ptr<ide::CommandBarEvents> mnuHandlerFile;
  std::shared_ptr<ide::CommandBarEvents> mnuHandlerAddIn;
  std::shared_ptr<ide::CommandBarEvents> btnHandlerStandard;
  bool disconnectionPending_ = false;
  bool shuttingDown_ = false;
};

}  // namespace zarvelin
