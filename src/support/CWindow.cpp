#include "support/CWindow.h"

#include "forms/WindowBackend.h"
#include "platform/Platform.h"

namespace zarvelin {
namespace {

// SetWindowPos's insert-after values and flags (SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
constexpr intptr_t kTopmost = -1;
constexpr intptr_t kNotTopmost = -2;
constexpr uint32_t kKeepPlaceAndSize = 19;

}  // namespace

void CWindow::SetOnTop(forms::Form& form, bool bSetOnTop) {
  form.Backend().SetWindowPos(form, bSetOnTop ? kTopmost : kNotTopmost, 0, 0, 0, 0,
                              kKeepPlaceAndSize);
}

void CWindow::Center(forms::Form& form) {
  const double width = Sys().ScreenWidth();
  const double height = Sys().ScreenHeight();
  form.Move((width - form.Width()) / 2, (height - form.Height()) / 2);
}

}  // namespace zarvelin
