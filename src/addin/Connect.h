#pragma once

#include <cstdint>
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

// The add-in as the IDE sees it. On connection it keeps the IDE object, puts "Zarvelin ..." into
// the File and Add-Ins menus and a button on the Standard toolbar, each opening the copy dialog,
// and opens the dialog at once when it was open at the last disconnection. On disconnection it
// takes the entries away, remembers whether the dialog was open and closes it.
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
  // Every step is tried, whatever failed before it.
  void OnDisconnection(int32_t removeMode, const CustomArguments& custom);
  void OnAddInsUpdate(const CustomArguments& custom);

  // Hands the dialog the IDE object and this connection, then shows it (0: modeless).
  void Show(frmCopyProject& window, int16_t modal = 0);
  // Unloads the dialog.
  void Hide(forms::Form& window) override;

  // A failure shows "Unable to create necessary menu items" and leaves the entries made so far.
  void CreateMenuItems();
  // A failure ends the call: what comes after it stays.
  void DestroyMenuItems();

  bool Connected() const { return addInInstance_ != nullptr; }
  // The copy dialog while it exists (from its first showing to the disconnection).
  frmCopyProject* Dialog() const { return frmAddIn_.get(); }

 private:
  frmCopyProject& TheDialog();
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
};

}  // namespace zarvelin
