#pragma once

#include <cstdint>
#include <string>

#include "copy/CopyObserver.h"
#include "forms/Form.h"
#include "support/CWindow.h"

namespace zarvelin {

class frmCopyProject;

// The copy dialog watching a copy: the bar in picModule, the status area's layouts, the window's
// place and topmost state, and the message boxes. A quiet dialog draws its bar where nobody sees
// it. Once the dialog is unloaded under a running copy, the copy is asked to stop and nothing is
// drawn any more.
class frmCopyProjectObserver : public copy::CopyObserver {
 public:
  frmCopyProjectObserver(frmCopyProject& dialog, CWindow& window, bool quiet);

  void PassStarting(int32_t components) override;
  void ComponentCopied() override;
  int32_t MsgBox(const std::string& text, const std::string& title, int32_t style) override;
  void ShowLayout(copy::CopyLayout layout) override;
  void MoveToCorner() override;
  void SetOnTop(bool onTop) override;
  void CenterOnTop() override;
  void DoEvents() override;
  bool StopRequested() override;
  bool ShuttingDown() override;

 private:
  bool Gone() const;

  frmCopyProject& dialog_;
  CWindow& window_;
  bool quiet_;
  int32_t counter_ = 0;
};

}  // namespace zarvelin
