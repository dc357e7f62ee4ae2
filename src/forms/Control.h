#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zarvelin::forms {

class Form;

enum class ControlKind { Label, TextBox, CommandButton, CheckBox, PictureBox, Frame, Image, Line };

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kButtonFace{192, 192, 192};
// The designs' own colours beside the system ones.
inline constexpr Rgb kLightGray{192, 192, 192};
inline constexpr Rgb kPureBlue{0, 0, 255};

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// One control as the form's designer laid it out: the data every backend renders.
// Positions are twips relative to the container. A line runs from (left, top) to (width, height),
// that is, its x1, y1, x2, y2.
struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string container;  // empty: the form itself
  std::string caption;    // caption, or a text box's text
  std::string toolTip;
  std::string picture;  // resource name of an image's or picture box's picture; empty: none
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  std::optional<Rgb> backColor;
  std::optional<Rgb> foreColor;
  std::optional<Font> font;
  bool visible = true;
  bool isDefault = false;       // answers Enter
  bool isCancel = false;        // answers Esc
  bool multiLine = false;       // text box
  bool verticalScroll = false;  // text box
  bool checked = false;         // check box
  // A 3-D border around the control; unset: the kind's own default (text and picture boxes have
  // one, the others not).
  std::optional<bool> border;
};

// One row of a form's design table: a control of a kind, placed in its container, with its caption.
ControlDesign Placed(std::string name, ControlKind kind, std::string container, std::string caption,
                     double left, double top, double width, double height);

// What a picture box has drawn since its last Cls, in its scale units.
struct DrawnText {
  double x = 0;
  double y = 0;
  std::string text;
};
struct DrawnBox {  // Line (x1, y1)-(x2, y2), colour, BF
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  Rgb color;
};
struct DrawnBlit {  // BitBlt of the box onto itself
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t rasterOperation = 0;
};
using DrawOp = std::variant<DrawnText, DrawnBox, DrawnBlit>;

// A control at run time: its design data plus what the program changed. Every change is passed to
// the form's backend peer.
class Control {
 public:
  Control(Form& form, ControlDesign definition);

  // Back to the designer's data, drawing and scale included: what a fresh load starts from.
  void Reset(ControlDesign design);

  const std::string& Name() const { return definition_.name; }
  ControlKind Kind() const { return definition_.kind; }
  const std::string& Container() const { return definition_.container; }
  const ControlDesign& Definition() const { return definition_; }
  Form& Parent() const { return form_; }

  // Caption of a label, button or frame; Text of a text box (the same property here).
  const std::string& Caption() const { return definition_.caption; }
  void SetCaption(std::string caption);
  const std::string& Text() const { return definition_.caption; }
  void SetText(std::string text) { SetCaption(std::move(text)); }

  const std::string& ToolTipText() const { return definition_.toolTip; }
  void SetToolTipText(std::string toolTip);

  const std::string& Picture() const { return definition_.picture; }
  void SetPicture(std::string picture);

  // A check box's Value: checked or not (VB's 1 and 0).
  bool Checked() const { return definition_.checked; }
  void SetChecked(bool checked);

  bool Visible() const { return definition_.visible; }
  void SetVisible(bool visible);

  double Left() const { return definition_.left; }
  double Top() const { return definition_.top; }
  double Width() const { return definition_.width; }
  double Height() const { return definition_.height; }
  void Move(double left, double top, double width, double height);
  void SetTop(double top) { Move(definition_.left, top, definition_.width, definition_.height); }
  void SetHeight(double height) {
    Move(definition_.left, definition_.top, definition_.width, height);
  }

  Rgb BackColor() const;
  Rgb ForeColor() const;
  Font GetFont() const;

  // ZOrder 0: in front of its siblings. The form keeps the order; this asks it.
  void ZOrder();

  // A window handle for the platform calls that want one (SendMessage, ShellExecute owners).
  intptr_t hWnd() const;
  // A backend with a real window for the control gives its handle; 0 takes it back.
  void SetWindowHandle(intptr_t hwnd) { hwnd_ = hwnd; }

  bool HasBorder() const;
  // The area inside the border (and, for a text box, beside its scroll bar), in twips.
  double InnerWidth() const;
  double InnerHeight() const;

  // --- picture box drawing, in scale units (ScaleWidth x ScaleHeight spans the inner area) ---
  double ScaleWidth() const { return scaleWidth_ ? *scaleWidth_ : InnerWidth(); }
  double ScaleHeight() const { return scaleHeight_ ? *scaleHeight_ : InnerHeight(); }
  void SetScaleWidth(double width);
  void SetScaleHeight(double height);
  double CurrentX() const { return currentX_; }
  double CurrentY() const { return currentY_; }
  void SetCurrentX(double x) { currentX_ = x; }
  void SetCurrentY(double y) { currentY_ = y; }
  void Cls();
  void Print(std::string text);
  void FilledBox(double x1, double y1, double x2, double y2, Rgb color);
  void BitBltSelf(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop);
  void Refresh();
  intptr_t hDC() const { return hWnd(); }
  // TextWidth and TextHeight in scale units, from the backend's font metrics.
  double TextWidth(const std::string& text) const;
  double TextHeight(const std::string& text) const;
  const std::vector<DrawOp>& Drawing() const { return drawing_; }

  // --- multi-line text box, lines as the box shows them (EM_GETLINECOUNT / EM_GETLINE) ---
  int32_t LineCount() const;
  // Line `index` (0-based) as displayed, at most maxChars characters of it; empty beyond the last.
  std::string Line(int32_t index, int32_t maxChars) const;
  // All displayed lines: hard breaks (CR LF, or CR or LF alone) and word wrap at the inner width.
  std::vector<std::string> DisplayedLines() const;

 private:
  void Changed();

  Form& form_;
  ControlDesign definition_;
  std::optional<double> scaleWidth_;
  std::optional<double> scaleHeight_;
  double currentX_ = 0;
  double currentY_ = 0;
  std::vector<DrawOp> drawing_;
  intptr_t hwnd_ = 0;
};

}  // namespace zarvelin::forms
