#include "ui/UpdateProgress.h"

#include <limits>
#include <string>

#include "platform/Platform.h"
#include "runtime/Formats.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

constexpr uint32_t kSrcCopy = 0x00CC0020;

int32_t AddLong(int32_t a, int32_t b) {
  const int64_t sum = static_cast<int64_t>(a) + b;
  if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min()) {
    throw VbError(vberr::kOverflow);
  }
  return static_cast<int32_t>(sum);
}

}  // namespace

void UpdateProgress(int32_t& lStep, int32_t& lCounter, forms::Control& picBox) {
  lCounter = AddLong(lCounter, lStep);
  if (picBox.ScaleWidth() < lCounter) lCounter = VbLong(picBox.ScaleWidth());

  const std::string percent = std::to_string(VbLong(lCounter / picBox.ScaleWidth() * 100)) + "%";
  picBox.Cls();
  picBox.SetCurrentX(VbLong(picBox.ScaleWidth() - picBox.TextWidth(percent)) / 2);
  picBox.SetCurrentY(VbLong(picBox.ScaleHeight() - picBox.TextHeight(percent)) / 2);
  picBox.Print(percent);
  picBox.FilledBox(0, 0, lCounter, picBox.ScaleHeight(), picBox.ForeColor());

  picBox.BitBltSelf(0, 0, VbLong(picBox.ScaleWidth()), VbLong(picBox.ScaleHeight()), kSrcCopy);
  picBox.Refresh();
  Sys().DoEvents();
}

}  // namespace zarvelin
