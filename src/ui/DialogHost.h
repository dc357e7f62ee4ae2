#pragma once

#include "forms/Form.h"

namespace zarvelin {

// The add-in connection as the copy dialog sees it: the owner that closes the dialog.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Hides the dialog, which unloads it.
  virtual void Hide(forms::Form& dialog) = 0;
};

}  // namespace zarvelin
