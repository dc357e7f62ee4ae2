#pragma once

#include "forms/Form.h"

namespace zarvelin {

// The add-in connection as the copy dialog sees it: the owner that closes the dialog.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Hides the dialog, which unloads it.
  virtual void Hide(forms::Form& dialog) = 0;
  // A disconnection waits for the dialog's code to return: a copy running stops at its next
  // chance.
  virtual bool DisconnectionPending() const = 0;
  // The IDE is closing: nothing is to be connected again in it.
  virtual bool ShuttingDown() const = 0;
};

}  // namespace zarvelin
