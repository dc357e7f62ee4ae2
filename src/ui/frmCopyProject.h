#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "forms/Form.h"
#include "ide/Vbide.h"
#include "runtime/Trap.h"
#include "support/CWindow.h"
#include "ui/DialogHost.h"

namespace zarvelin {

// The copy dialog as its designer laid it out.
forms::FormDesign frmCopyProjectDesign();

// The one window through which the user works the system: shows the active project, takes the
// copy directory, starts the copy and closes through its host.
class frmCopyProject : public forms::Form {
 public:
  frmCopyProject();

  ide::VBE* VBInstance() const { return vbInstance_; }
  void SetVBInstance(ide::VBE* vbInstance) { vbInstance_ = vbInstance; }
  DialogHost* Connect() const { return connect_; }
  void SetConnect(DialogHost* connect) { connect_ = connect; }
  // True from the dialog's load to its unload.
  bool IsVisible() const { return isVisible_; }

  // A quiet dialog (a script's) copies without a progress bar and without the closing message.
  void SetQuiet(bool quiet) { quiet_ = quiet; }

  // The controls other layers work on, by member rather than by name.
  forms::Control& txtDirectory() { return Ctl("txtDirectory"); }
  forms::Control& lblFrom() { return Ctl("lblFrom"); }
  forms::Control& lblCurrentProject() { return Ctl("lblCurrentProject"); }
  forms::Control& picModule() { return Ctl("picModule"); }
  forms::Control& cmdCopy() { return Ctl("cmdCopy"); }
  forms::Control& chkCopyGroup() { return Ctl("chkCopyGroup"); }

  // True when the last press of Copy ended with the closing "Project:" message.
  bool LastCopySucceeded() const { return lastCopySucceeded_; }

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int32_t& cancel, int32_t unloadMode) override;
  void Form_Unload(int32_t& cancel) override;

 private:
  void cmdCopy_Click();
  // The copy of the active project, or of every project the IDE holds, as Copy starts it.
  void CopyActiveProject(Erl& erl);
  void CopyAllProjects(Erl& erl);
  // A copy finished: the closing message, unless the dialog is quiet.
  void TellCopied(const std::string& closingMessage);
  // The status area as it stands between copies, showing projectFile.
  void ShowIdle(const std::string& projectFile);
  void chkCopyGroup_Click();
  void cmdBrowse_Click();
  void cmdExplorer_Click();
  void cmdHelp_Click();
  void cmdRefresh_Click();
  void cmdAbout_Click();
  void CloseThroughHost(std::string_view procedure);
  std::string ActiveProjectFile();

  ide::VBE* vbInstance_ = nullptr;
  DialogHost* connect_ = nullptr;
  bool isVisible_ = false;
  bool lastCopySucceeded_ = false;
  bool quiet_ = false;
  // A copy is running: the buttons stay enabled, but what would start another copy or take the
  // dialog away under it is ignored until it ends.
  bool copying_ = false;
  // "Copy all projects of the group" as the user left it: kept from one showing of the dialog to
  // the next, for as long as the add-in runs.
  bool copyAllProjects_ = false;
  std::unique_ptr<CWindow> window_;
};

}  // namespace zarvelin
