#include "console/HeadlessWindows.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "console/MessageBoxText.h"
#include "console/SansSerifMetrics.h"

namespace zarvelin::console {
namespace {

constexpr int kBarCells = 20;
constexpr intptr_t kHandleStep = 0x1000;

struct PlacedText {
  double top = 0;
  double left = 0;
  std::string text;
};

// A control's place on the form: its own position plus those of the frames holding it.
std::pair<double, double> FormPosition(forms::Form& form, const forms::Control& control) {
  double top = control.Top();
  double left = control.Left();
  std::string container = control.Container();
  for (size_t depth = 0; !container.empty() && depth < form.Controls().size(); ++depth) {
    const forms::Control& holder = form.Ctl(container);
    top += holder.Top();
    left += holder.Left();
    container = holder.Container();
  }
  return {top, left};
}

bool ShownAsText(const forms::Control& control) {
  return control.Visible() && !control.Text().empty() &&
         (control.Kind() == forms::ControlKind::Label ||
          control.Kind() == forms::ControlKind::TextBox ||
          control.Kind() == forms::ControlKind::CheckBox);
}

// What a control shows in the terminal: a check box's mark before its caption.
std::string ShownText(const forms::Control& control) {
  if (control.Kind() != forms::ControlKind::CheckBox) return control.Text();
  return (control.Checked() ? "[x] " : "[ ] ") + control.Text();
}

}  // namespace

std::string ProgressBarText(const forms::Control& box) {
  const forms::DrawnBox* bar = nullptr;
  const forms::DrawnText* label = nullptr;
  for (const forms::DrawOp& op : box.Drawing()) {
    if (const auto* drawn = std::get_if<forms::DrawnBox>(&op)) bar = drawn;
    if (const auto* drawn = std::get_if<forms::DrawnText>(&op)) label = drawn;
  }
  if (bar == nullptr || label == nullptr) return {};
  const double span = box.ScaleWidth();
  const double share = span > 0 ? std::clamp(std::abs(bar->x2 - bar->x1) / span, 0.0, 1.0) : 0.0;
  const int filled = static_cast<int>(std::lround(share * kBarCells));
  std::string text = "[" + std::string(filled, '#') + std::string(kBarCells - filled, ' ') + "] ";
  if (label->text.size() < 4) text += std::string(4 - label->text.size(), ' ');
  return text + label->text;
}

HeadlessWindows::HeadlessWindows(std::FILE* out, bool inPlace) : out_(out), inPlace_(inPlace) {}

HeadlessWindows::~HeadlessWindows() {
  EndProgressLine();
}

bool HeadlessWindows::Topmost(std::string_view formName) const {
  const auto found = topmost_.find(formName);
  return found != topmost_.end() && found->second;
}

void HeadlessWindows::Created(forms::Form& form) {
  form.SetWindowHandle(nextHandle_);
  nextHandle_ += kHandleStep;
}

void HeadlessWindows::Destroyed(forms::Form& form) {
  EndProgressLine();
  topmost_.erase(form.Name());
  form.SetWindowHandle(0);
}

void HeadlessWindows::FormChanged(forms::Form&) {}

void HeadlessWindows::ControlChanged(forms::Form&, forms::Control& control) {
  if (control.Kind() != forms::ControlKind::PictureBox) return;
  // A progress box put away ends its line, so that what the terminal shows next starts afresh.
  if (!control.Visible()) {
    EndProgressLine();
    return;
  }
  const std::string bar = ProgressBarText(control);
  if (!bar.empty()) ShowProgress(bar);
}

void HeadlessWindows::ShowModeless(forms::Form&) {}

void HeadlessWindows::RunModal(forms::Form& form, forms::Form*) {
  std::vector<PlacedText> texts;
  for (const auto& control : form.Controls()) {
    if (!ShownAsText(*control)) continue;
    const auto [top, left] = FormPosition(form, *control);
    texts.push_back({top, left, ShownText(*control)});
  }
  std::stable_sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  WriteLine(form.Caption());
  // A caption and its value stand side by side on the form: keep them on one line.
  std::string row;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!row.empty()) row += ' ';
    row += ConsoleLines(texts[i].text);
    if (i + 1 == texts.size() || texts[i + 1].top != texts[i].top) {
      WriteLine(row);
      row.clear();
    }
  }
  if (!form.Definition().unattendedButton.empty()) form.Click(form.Definition().unattendedButton);
  if (form.Loaded() && form.Visible()) form.CloseByUser();
}

void HeadlessWindows::Hidden(forms::Form&) {
  EndProgressLine();
}

void HeadlessWindows::SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t, int32_t,
                                   int32_t, int32_t, uint32_t) {
  if (insertAfter == forms::windowpos::kTopmost) topmost_[form.Name()] = true;
  if (insertAfter == forms::windowpos::kNotTopmost) topmost_[form.Name()] = false;
}

int32_t HeadlessWindows::WindowState(const forms::Form&) {
  return forms::windowstate::kNormal;
}

intptr_t HeadlessWindows::DeviceContext(const forms::Form& form) {
  // The terminal measures text itself: the handle only has to stand for the form.
  return form.hWnd();
}

double HeadlessWindows::FrameWidth() {
  return kFrameWidthTwips;
}

double HeadlessWindows::FrameHeight() {
  return kFrameHeightTwips;
}

double HeadlessWindows::TextWidthTwips(const forms::Font& font, std::string_view text) {
  return SansSerifTextWidthTwips(font, text);
}

double HeadlessWindows::TextHeightTwips(const forms::Font& font) {
  return SansSerifTextHeightTwips(font);
}

void HeadlessWindows::WriteLine(std::string_view line) {
  EndProgressLine();
  std::fprintf(out_, "%.*s\n", static_cast<int>(line.size()), line.data());
  std::fflush(out_);
}

void HeadlessWindows::ShowProgress(const std::string& bar) {
  if (bar == lastBar_) return;
  lastBar_ = bar;
  if (inPlace_) {
    std::fprintf(out_, "\r%s", bar.c_str());
    barOpen_ = true;
  } else {
    std::fprintf(out_, "%s\n", bar.c_str());
  }
  std::fflush(out_);
}

void HeadlessWindows::EndProgressLine() {
  lastBar_.clear();
  if (!barOpen_) return;
  barOpen_ = false;
  std::fputc('\n', out_);
  std::fflush(out_);
}

}  // namespace zarvelin::console
