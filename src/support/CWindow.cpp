#include "support/CWindow.h"

#include "forms/WindowBackend.h"
#include "platform/Platform.h"

namespace zarvelin {
void CWindow::SetOnTop(forms::Form& form, bool bSetOnTop) {
  form.Backend().SetWindowPos(
      form, bSetOnTop ? forms::windowpos::kTopmost : forms::windowpos::kNotTopmost, 0, 0, 0, 0,
      forms::windowpos::kKeepPlaceAndSize);
}

void CWindow::Center(forms::Form& form) {
  const double width = Sys().ScreenWidth();
  const double height = Sys().ScreenHeight();
  form.Move((width - form.Width()) / 2, (height - form.Height()) / 2);
}

}  // namespace zarvelin
