#pragma once

#include <cstdint>

#include "forms/Control.h"

namespace zarvelin {

// Advances the progress counter by lStep and redraws the bar in the picture box: the percentage
// text centred, and a filled bar in the box's fore colour from the left edge to the counter (the
// box's scale width is the number of components). Then yields to the message loop.
void UpdateProgress(int32_t& lStep, int32_t& lCounter, forms::Control& picBox);

}  // namespace zarvelin
