#include "forms/Control.h"

#include <algorithm>
#include <utility>

#include "forms/Form.h"
#include "forms/TextLayout.h"
#include "forms/WindowBackend.h"

namespace zarvelin::forms {

ControlDesign Placed(std::string name, ControlKind kind, std::string container, std::string caption,
                     double left, double top, double width, double height) {
  ControlDesign control;
  control.name = std::move(name);
  control.kind = kind;
  control.container = std::move(container);
  control.caption = std::move(caption);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  return control;
}
namespace {

// A 3-D border takes two pixels on each side; a vertical scroll bar seventeen (15 twips a pixel).
constexpr double kBorderTwips = 30;
constexpr double kScrollBarTwips = 255;

constexpr Rgb kWindowBackground{255, 255, 255};
constexpr Rgb kWindowText{0, 0, 0};

}  // namespace

Control::Control(Form& form, ControlDesign design) : form_(form), definition_(std::move(design)) {}

void Control::Reset(ControlDesign design) {
  definition_ = std::move(design);
  scaleWidth_.reset();
  scaleHeight_.reset();
  currentX_ = 0;
  currentY_ = 0;
  drawing_.clear();
}

void Control::SetCaption(std::string caption) {
  definition_.caption = std::move(caption);
  Changed();
}

void Control::SetToolTipText(std::string toolTip) {
  definition_.toolTip = std::move(toolTip);
  Changed();
}

void Control::SetPicture(std::string picture) {
  definition_.picture = std::move(picture);
  Changed();
}

void Control::SetChecked(bool checked) {
  definition_.checked = checked;
  Changed();
}

void Control::SetVisible(bool visible) {
  definition_.visible = visible;
  Changed();
}

void Control::Move(double left, double top, double width, double height) {
  definition_.left = left;
  definition_.top = top;
  definition_.width = width;
  definition_.height = height;
  Changed();
}

Rgb Control::BackColor() const {
  if (definition_.backColor) return *definition_.backColor;
  return definition_.kind == ControlKind::TextBox ? kWindowBackground
                                                  : form_.Definition().backColor;
}

Rgb Control::ForeColor() const {
  return definition_.foreColor.value_or(kWindowText);
}

Font Control::GetFont() const {
  return definition_.font.value_or(Font{});
}

void Control::ZOrder() {
  form_.BringToFront(*this);
}

intptr_t Control::hWnd() const {
  if (form_.hWnd() == 0) return 0;
  if (hwnd_ != 0) return hwnd_;
  // Without a window of its own, each control's handle follows its form's, in design order.
  const auto& controls = form_.Controls();
  const auto self = std::find_if(controls.begin(), controls.end(),
                                 [this](const auto& control) { return control.get() == this; });
  return form_.hWnd() + 1 + (self - controls.begin());
}

bool Control::HasBorder() const {
  if (definition_.border) return *definition_.border;
  return definition_.kind == ControlKind::TextBox || definition_.kind == ControlKind::PictureBox;
}

double Control::InnerWidth() const {
  double inner = definition_.width - (HasBorder() ? 2 * kBorderTwips : 0);
  if (definition_.kind == ControlKind::TextBox && definition_.verticalScroll)
    inner -= kScrollBarTwips;
  return std::max(inner, 0.0);
}

double Control::InnerHeight() const {
  return std::max(definition_.height - (HasBorder() ? 2 * kBorderTwips : 0), 0.0);
}

void Control::SetScaleWidth(double width) {
  scaleWidth_ = width;
  Changed();
}

void Control::SetScaleHeight(double height) {
  scaleHeight_ = height;
  Changed();
}

void Control::Cls() {
  drawing_.clear();
  currentX_ = 0;
  currentY_ = 0;
  Changed();
}

void Control::Print(std::string text) {
  const double lineHeight = TextHeight(text);
  drawing_.emplace_back(std::in_place_type<DrawnText>, currentX_, currentY_, std::move(text));
  // Print without a trailing separator starts a new line, as the run time's Print does.
  currentX_ = 0;
  currentY_ += lineHeight;
  Changed();
}

void Control::FilledBox(double x1, double y1, double x2, double y2, Rgb color) {
  drawing_.emplace_back(std::in_place_type<DrawnBox>, x1, y1, x2, y2, color);
  // Line leaves the pen at its end point.
  currentX_ = x2;
  currentY_ = y2;
  Changed();
}

void Control::BitBltSelf(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) {
  drawing_.emplace_back(std::in_place_type<DrawnBlit>, x, y, width, height, rop);
  Changed();
}

void Control::Refresh() {
  Changed();
}

double Control::TextWidth(const std::string& text) const {
  double widest = 0;
  for (const std::string_view line : HardLines(text)) {
    widest = std::max(widest, form_.Backend().TextWidthTwips(GetFont(), line));
  }
  const double inner = InnerWidth();
  return inner > 0 ? widest * ScaleWidth() / inner : widest;
}

double Control::TextHeight(const std::string& text) const {
  const double lines = static_cast<double>(HardLines(text).size());
  const double twips = lines * form_.Backend().TextHeightTwips(GetFont());
  const double inner = InnerHeight();
  return inner > 0 ? twips * ScaleHeight() / inner : twips;
}

std::vector<std::string> Control::DisplayedLines() const {
  if (!definition_.multiLine) return {definition_.caption};
  const Font font = GetFont();
  WindowBackend& backend = form_.Backend();
  return forms::DisplayedLines(definition_.caption, InnerWidth(), [&](std::string_view piece) {
    return backend.TextWidthTwips(font, piece);
  });
}

int32_t Control::LineCount() const {
  return static_cast<int32_t>(DisplayedLines().size());
}

std::string Control::Line(int32_t index, int32_t maxChars) const {
  const std::vector<std::string> lines = DisplayedLines();
  if (index < 0 || static_cast<size_t>(index) >= lines.size() || maxChars <= 0) return {};
  return lines[index].substr(0, static_cast<size_t>(maxChars));
}

void Control::Changed() {
  form_.ControlChanged(*this);
}

}  // namespace zarvelin::forms
