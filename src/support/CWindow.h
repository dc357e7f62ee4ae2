#pragma once

#include "forms/Form.h"

namespace zarvelin {

// Small window operations the forms share: topmost state and centring.
class CWindow {
 public:
  // Puts the form above all other windows (True) or back into the normal stacking order
  // (False), without moving, sizing or activating it.
  void SetOnTop(forms::Form& form, bool bSetOnTop);

  // Centres the form on the screen; its size does not change.
  void Center(forms::Form& form);
};

}  // namespace zarvelin
