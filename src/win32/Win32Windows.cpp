#include "win32/Win32Windows.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

#include "addin/CallFrame.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "win32/ThreadModality.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"ZarvelinForm";
constexpr wchar_t kPictureClass[] = L"ZarvelinPicture";
constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
// Not clipping its children: the form's background shows inside its frames, which paint only
// their border and caption.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
// Enter or Esc taken from the message queue, delivered to the form from its own window procedure.
constexpr UINT kKeyPressed = WM_APP + 1;

// One backend per process: the window procedures and the keyboard hook find it here.
Win32Windows* installed = nullptr;

// Each way into the add-in's code from Windows is a CallFrame: a disconnection asked for meanwhile
// closes these windows only once the procedure has returned.
LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (installed == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const CallFrame frame;
  return installed->FormMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  if (installed == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const CallFrame frame;
  return installed->PictureMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && installed != nullptr) {
    const CallFrame frame;
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (installed->TakeKey(*message)) message->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

COLORREF Colour(forms::Rgb rgb) {
  return RGB(rgb.red, rgb.green, rgb.blue);
}

forms::Control* ControlOf(HWND window) {
  return reinterpret_cast<forms::Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool Painted(forms::ControlKind kind) {
  return kind == forms::ControlKind::PictureBox || kind == forms::ControlKind::Image;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void RegisterWindowClass(HINSTANCE module, const wchar_t* name, WNDPROC procedure, UINT style) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

}  // namespace

struct Win32Windows::Peer {
  forms::Form* form = nullptr;
  HWND window = nullptr;
  HWND tips = nullptr;
  HDC dc = nullptr;
  std::vector<HWND> order;
};

Win32Windows::Win32Windows(HINSTANCE module) : module_(module) {
  installed = this;
  const HDC screen = GetDC(nullptr);
  const int pixelsPerInchX = GetDeviceCaps(screen, LOGPIXELSX);
  pixelsPerInchY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (pixelsPerInchX > 0) twipsPerPixel_ = kTwipsPerInch / pixelsPerInchX;
  // A form's DC stays its own for its life, as Form.hDC does; double clicks reach the pictures.
  RegisterWindowClass(module_, kFormClass, FormProcedure, CS_OWNDC | CS_DBLCLKS);
  RegisterWindowClass(module_, kPictureClass, PictureProcedure, CS_DBLCLKS);
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  keyHook_ = SetWindowsHookExW(WH_GETMESSAGE, KeyHook, nullptr, GetCurrentThreadId());
}

Win32Windows::~Win32Windows() {
  for (auto& [form, peer] : peers_) {
    if (peer->window != nullptr) DestroyWindow(peer->window);
  }
  peers_.clear();
  if (keyHook_ != nullptr) UnhookWindowsHookEx(keyHook_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  // The DLL may be unloaded after this: no class may keep pointing into it.
  UnregisterClassW(kFormClass, module_);
  UnregisterClassW(kPictureClass, module_);
  if (installed == this) installed = nullptr;
}

Win32Windows::Peer* Win32Windows::PeerOf(const forms::Form& form) const {
  const auto found = peers_.find(&form);
  return found == peers_.end() ? nullptr : found->second.get();
}

Win32Windows::Peer* Win32Windows::PeerOf(HWND window) const {
  for (const auto& [form, peer] : peers_) {
    if (peer->window == window) return peer.get();
  }
  return nullptr;
}

int Win32Windows::Pixels(double twips) const {
  return static_cast<int>(std::lround(twips / twipsPerPixel_));
}

RECT Win32Windows::PixelsOf(const forms::Form& form, const forms::Control& control) const {
  double left = control.Left();
  double top = control.Top();
  std::string container = control.Container();
  for (size_t depth = 0; !container.empty() && depth < form.Controls().size(); ++depth) {
    const auto holder = std::find_if(form.Controls().begin(), form.Controls().end(),
                                     [&](const auto& each) { return each->Name() == container; });
    if (holder == form.Controls().end()) break;
    left += (*holder)->Left();
    top += (*holder)->Top();
    container = (*holder)->Container();
  }
  return RECT{Pixels(left), Pixels(top), Pixels(left + control.Width()),
              Pixels(top + control.Height())};
}

HFONT Win32Windows::FontFor(const forms::Font& font) {
  const auto key = std::make_tuple(font.name, font.size, font.bold);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  const int height = -static_cast<int>(std::lround(font.size * pixelsPerInchY_ / kPointsPerInch));
  const HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, Wide(font.name).c_str());
  fonts_.emplace(key, made);
  return made;
}

HBRUSH Win32Windows::BrushFor(COLORREF colour) {
  const auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  const HBRUSH made = CreateSolidBrush(colour);
  brushes_.emplace(colour, made);
  return made;
}

template <class Delivery>
void Win32Windows::Deliver(const forms::Form& form, Delivery&& delivery) {
  // The form may be gone when the delivery returns; its name is kept for the report.
  const std::string name = form.Name();
  try {
    std::forward<Delivery>(delivery)();
  } catch (...) {
    try {
      const VbError error = AsVbError(std::current_exception());
      if (error.Number() != 0) ReportFailure(name, "WindowProc", 0, error.Number());
    } catch (...) {
      // Nothing may unwind through the system's frames; the report window itself failed.
    }
  }
}

void Win32Windows::Created(forms::Form& form) {
  auto peer = std::make_unique<Peer>();
  peer->form = &form;
  const forms::FormDesign& design = form.Definition();
  RECT outer{0, 0, Pixels(design.clientWidth), Pixels(design.clientHeight)};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
  peer->window = CreateWindowExW(kFormExStyle, kFormClass, Wide(form.Caption()).c_str(), kFormStyle,
                                 Pixels(form.Left()), Pixels(form.Top()), outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, module_, nullptr);
  if (peer->window == nullptr) throw VbError(vberr::kOutOfMemory);
  peer->dc = GetDC(peer->window);
  SelectObject(peer->dc, FontFor(forms::Font{}));
  peer->tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               peer->window, nullptr, module_, nullptr);
  if (!design.icon.empty()) {
    // Shared icons belong to the module's resources: nothing to free with the window.
    for (const auto& [size, which] : {std::pair{SM_CXICON, ICON_BIG}, {SM_CXSMICON, ICON_SMALL}}) {
      const int pixels = GetSystemMetrics(size);
      const HANDLE icon =
          LoadImageW(module_, Wide(design.icon).c_str(), IMAGE_ICON, pixels, pixels, LR_SHARED);
      if (icon != nullptr)
        SendMessageW(peer->window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }
  form.SetWindowHandle(reinterpret_cast<intptr_t>(peer->window));
  Peer& made = *peer;
  peers_[&form] = std::move(peer);
  for (const auto& control : form.Controls()) MakeControl(made, *control);
  Arrange(made);
}

void Win32Windows::MakeControl(Peer& peer, forms::Control& control) {
  const forms::ControlDesign& design = control.Definition();
  const wchar_t* windowClass = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = control.HasBorder() ? WS_EX_CLIENTEDGE : 0;
  std::wstring text = Wide(control.Caption());
  void* creation = nullptr;
  switch (control.Kind()) {
    case forms::ControlKind::Line:
      return;  // drawn by the form
    case forms::ControlKind::Label:
      style |= SS_LEFT | SS_NOTIFY;
      break;
    case forms::ControlKind::TextBox:
      windowClass = L"EDIT";
      style |= WS_TABSTOP | ES_LEFT |
               (design.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL);
      if (design.verticalScroll) style |= WS_VSCROLL;
      break;
    case forms::ControlKind::CommandButton:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | (design.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case forms::ControlKind::CheckBox:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case forms::ControlKind::Frame:
      windowClass = L"BUTTON";
      style |= BS_GROUPBOX;
      break;
    case forms::ControlKind::PictureBox:
    case forms::ControlKind::Image:
      // Titled by its name, never shown: what finds a picture among its siblings.
      windowClass = kPictureClass;
      text = Wide(control.Name());
      creation = &control;
      break;
  }
  const RECT place = PixelsOf(*peer.form, control);
  // Child ids follow the design order, from 1.
  const auto& controls = peer.form->Controls();
  const auto self = std::find_if(controls.begin(), controls.end(),
                                 [&](const auto& each) { return each.get() == &control; });
  const auto id = static_cast<UINT_PTR>(self - controls.begin() + 1);
  const HWND child = CreateWindowExW(exStyle, windowClass, text.c_str(), style, place.left,
                                     place.top, place.right - place.left, place.bottom - place.top,
                                     peer.window, reinterpret_cast<HMENU>(id), module_, creation);
  if (child == nullptr) throw VbError(vberr::kOutOfMemory);
  SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.GetFont())), FALSE);
  control.SetWindowHandle(reinterpret_cast<intptr_t>(child));
  if (peer.tips != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = peer.window;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    const std::wstring tip = Wide(control.ToolTipText());
    tool.lpszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(peer.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  if (control.Visible()) ShowWindow(child, SW_SHOWNA);
}

void Win32Windows::Destroyed(forms::Form& form) {
  const auto found = peers_.find(&form);
  if (found == peers_.end()) return;
  const HWND window = found->second->window;
  peers_.erase(found);
  for (const auto& control : form.Controls()) control->SetWindowHandle(0);
  form.SetWindowHandle(0);
  DestroyWindow(window);
}

void Win32Windows::FormChanged(forms::Form& form) {
  Peer* peer = PeerOf(form);
  if (peer == nullptr) return;
  const std::wstring caption = Wide(form.Caption());
  if (WindowText(peer->window) != caption) SetWindowTextW(peer->window, caption.c_str());
  RECT now{};
  GetWindowRect(peer->window, &now);
  if (now.left != Pixels(form.Left()) || now.top != Pixels(form.Top())) {
    ::SetWindowPos(peer->window, nullptr, Pixels(form.Left()), Pixels(form.Top()), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32Windows::ControlChanged(forms::Form& form, forms::Control& control) {
  Peer* peer = PeerOf(form);
  if (peer == nullptr) return;
  Render(*peer, control);
  Arrange(*peer);
}

void Win32Windows::Render(Peer& peer, forms::Control& control) {
  if (control.Kind() == forms::ControlKind::Line) {
    InvalidateRect(peer.window, nullptr, TRUE);
    return;
  }
  const auto child = reinterpret_cast<HWND>(control.hWnd());
  if (!IsWindow(child)) return;
  const RECT place = PixelsOf(*peer.form, control);
  RECT now{};
  GetWindowRect(child, &now);
  MapWindowPoints(nullptr, peer.window, reinterpret_cast<POINT*>(&now), 2);
  if (!EqualRect(&now, &place)) {
    MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
  }
  if (!Painted(control.Kind())) {
    const std::wstring text = Wide(control.Caption());
    if (WindowText(child) != text) {
      rendering_ = true;
      SetWindowTextW(child, text.c_str());
      rendering_ = false;
    }
  }
  if (control.Kind() == forms::ControlKind::CheckBox) {
    SendMessageW(child, BM_SETCHECK, control.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (peer.tips != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = peer.window;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    const std::wstring tip = Wide(control.ToolTipText());
    tool.lpszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(peer.tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  const bool shown = (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != control.Visible()) ShowWindow(child, control.Visible() ? SW_SHOWNA : SW_HIDE);
  // A picture is painted now: a copy draws its progress without waiting for the message loop.
  InvalidateRect(child, nullptr, TRUE);
  if (Painted(control.Kind())) UpdateWindow(child);
}

void Win32Windows::Arrange(Peer& peer) {
  // Front to back; what a frame holds lies in front of the frame.
  std::vector<HWND> order;
  const auto add = [&](const auto& self, const std::string& container) -> void {
    for (forms::Control* control : peer.form->ZOrdered(container)) {
      if (control->Kind() == forms::ControlKind::Frame) self(self, control->Name());
      const auto child = reinterpret_cast<HWND>(control->hWnd());
      if (control->Kind() != forms::ControlKind::Line && IsWindow(child)) order.push_back(child);
    }
  };
  add(add, std::string());
  if (order == peer.order) return;
  HWND after = HWND_TOP;
  for (const HWND child : order) {
    ::SetWindowPos(child, after, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = child;
  }
  peer.order = std::move(order);
}

void Win32Windows::ShowModeless(forms::Form& form) {
  Peer* peer = PeerOf(form);
  if (peer == nullptr) return;
  ShowWindow(peer->window, SW_SHOWNORMAL);
  const HWND first = GetNextDlgTabItem(peer->window, nullptr, FALSE);
  if (first != nullptr) SetFocus(first);
}

void Win32Windows::RunModal(forms::Form& form, forms::Form* owner) {
  Peer* peer = PeerOf(form);
  if (peer == nullptr) return;
  Peer* ownerPeer = owner == nullptr ? nullptr : PeerOf(*owner);
  const HWND ownerWindow = ownerPeer == nullptr ? nullptr : ownerPeer->window;
  // Owned, so it stays in front of its owner.
  if (ownerWindow != nullptr) {
    SetWindowLongPtrW(peer->window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
  }
  {
    const ThreadModality modality(peer->window);
    ShowModeless(form);
    MSG message{};
    while (form.Loaded() && form.Visible()) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        // WM_QUIT belongs to the loop outside this one.
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (ownerWindow != nullptr && IsWindow(ownerWindow)) SetForegroundWindow(ownerWindow);
}

void Win32Windows::Hidden(forms::Form& form) {
  if (Peer* peer = PeerOf(form)) ShowWindow(peer->window, SW_HIDE);
}

void Win32Windows::SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x, int32_t y,
                                int32_t cx, int32_t cy, uint32_t flags) {
  if (Peer* peer = PeerOf(form)) {
    ::SetWindowPos(peer->window, reinterpret_cast<HWND>(insertAfter), x, y, cx, cy, flags);
  }
}

int32_t Win32Windows::WindowState(const forms::Form& form) {
  const Peer* peer = PeerOf(form);
  if (peer == nullptr) return forms::windowstate::kNormal;
  if (IsIconic(peer->window)) return forms::windowstate::kMinimized;
  if (IsZoomed(peer->window)) return forms::windowstate::kMaximized;
  return forms::windowstate::kNormal;
}

intptr_t Win32Windows::DeviceContext(const forms::Form& form) {
  const Peer* peer = PeerOf(form);
  return peer == nullptr ? 0 : reinterpret_cast<intptr_t>(peer->dc);
}

double Win32Windows::FrameWidth() {
  RECT outer{0, 0, 0, 0};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
  return (outer.right - outer.left) * twipsPerPixel_;
}

double Win32Windows::FrameHeight() {
  RECT outer{0, 0, 0, 0};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
  return (outer.bottom - outer.top) * twipsPerPixel_;
}

double Win32Windows::TextWidthTwips(const forms::Font& font, std::string_view text) {
  const std::wstring wide = Wide(text);
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, FontFor(font));
  SIZE size{};
  GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return size.cx * twipsPerPixel_;
}

double Win32Windows::TextHeightTwips(const forms::Font& font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, FontFor(font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight * twipsPerPixel_;
}

bool Win32Windows::TakeKey(const MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == nullptr || PeerOf(root) == nullptr) return false;
  const bool enterOrEsc = message.wParam == VK_RETURN || message.wParam == VK_ESCAPE;
  if (message.message == WM_KEYDOWN && enterOrEsc) {
    // Enter starts a new line in a box of several lines.
    const forms::Control* focused =
        GetParent(message.hwnd) == root ? ControlOf(message.hwnd) : nullptr;
    if (message.wParam == VK_RETURN && focused != nullptr &&
        focused->Kind() == forms::ControlKind::TextBox && focused->Definition().multiLine) {
      return false;
    }
    PostMessageW(root, kKeyPressed, message.wParam, 0);
    return true;
  }
  // Every other key is the form's, as in a VB form: handled here, before the loop that took it
  // from the queue can read it as one of its own accelerators (the IDE's Delete, Ctrl+C, F5).
  // Tab and Shift+Tab move between controls, Alt with an underlined letter presses its button,
  // the rest reaches the focused control.
  IsDialogMessageW(root, const_cast<MSG*>(&message));
  return true;
}

LRESULT Win32Windows::FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Peer* peer = PeerOf(window);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  forms::Form& form = *peer->form;
  switch (message) {
    case WM_CLOSE:
      Deliver(form, [&] { form.CloseByUser(); });
      return 0;
    case WM_MOVE: {
      // Moved by the user: the model learns where its window now is.
      RECT now{};
      GetWindowRect(window, &now);
      if (now.left != Pixels(form.Left()) || now.top != Pixels(form.Top())) {
        Deliver(form, [&] { form.Move(now.left * twipsPerPixel_, now.top * twipsPerPixel_); });
      }
      return 0;
    }
    case kKeyPressed:
      Deliver(form, [&] { wParam == VK_RETURN ? form.PressEnter() : form.PressEscape(); });
      return 0;
    case WM_COMMAND: {
      const auto child = reinterpret_cast<HWND>(lParam);
      forms::Control* control = child == nullptr ? nullptr : ControlOf(child);
      if (control == nullptr) break;
      const WORD code = HIWORD(wParam);
      const forms::ControlKind kind = control->Kind();
      if (kind == forms::ControlKind::TextBox && code == EN_CHANGE && !rendering_) {
        const std::string typed = Narrow(WindowText(child));
        Deliver(form, [&] { control->SetText(typed); });
      } else if (kind == forms::ControlKind::CheckBox && code == BN_CLICKED) {
        // The button turned itself over; the model turns over on the click it is given, so
        // it starts from the state before.
        const bool checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const std::string name = control->Name();
        Deliver(form, [&] {
          control->SetChecked(!checked);
          form.Click(name);
        });
      } else if ((kind == forms::ControlKind::CommandButton && code == BN_CLICKED) ||
                 (kind == forms::ControlKind::Label && code == STN_CLICKED)) {
        const std::string name = control->Name();
        Deliver(form, [&] { form.Click(name); });
      } else if (kind == forms::ControlKind::Label && code == STN_DBLCLK) {
        const std::string name = control->Name();
        Deliver(form, [&] { form.DblClick(name); });
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const forms::Control* control = ControlOf(reinterpret_cast<HWND>(lParam));
      if (control == nullptr) break;
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, Colour(control->ForeColor()));
      SetBkColor(dc, Colour(control->BackColor()));
      return reinterpret_cast<LRESULT>(BrushFor(Colour(control->BackColor())));
    }
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               BrushFor(Colour(form.Definition().backColor)));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(window, &paint);
      PaintLines(*peer, dc);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Windows::PaintLines(Peer& peer, HDC dc) {
  for (const auto& control : peer.form->Controls()) {
    if (control->Kind() != forms::ControlKind::Line || !control->Visible()) continue;
    const HPEN pen = CreatePen(PS_SOLID, 1, Colour(control->ForeColor()));
    const HGDIOBJ previous = SelectObject(dc, pen);
    // A line's width and height are its end point.
    MoveToEx(dc, Pixels(control->Left()), Pixels(control->Top()), nullptr);
    LineTo(dc, Pixels(control->Width()), Pixels(control->Height()));
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

LRESULT Win32Windows::PictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  forms::Control* control = ControlOf(window);
  if (control == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(window, &paint);
      PaintPicture(*control, window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      forms::Form& form = control->Parent();
      const std::string name = control->Name();
      Deliver(form, [&] {
        if (message == WM_LBUTTONDOWN) {
          form.Click(name);
        } else {
          form.DblClick(name);
        }
      });
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Windows::DrawResourcePicture(const std::string& name, HDC dc) const {
  if (name.empty()) return;
  // A picture named by the design is one of the module's icons or bitmaps, drawn at its own size
  // from the top left corner, as VB draws a picture it holds.
  const std::wstring resource = Wide(name);
  if (const HANDLE icon =
          LoadImageW(module_, resource.c_str(), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE)) {
    DrawIconEx(dc, 0, 0, static_cast<HICON>(icon), 0, 0, 0, nullptr, DI_NORMAL);
    return;
  }
  const HANDLE bitmap = LoadImageW(module_, resource.c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED);
  if (bitmap == nullptr) return;
  BITMAP facts{};
  GetObjectW(bitmap, sizeof facts, &facts);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ previous = SelectObject(source, bitmap);
  BitBlt(dc, 0, 0, facts.bmWidth, facts.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

void Win32Windows::PaintPicture(forms::Control& control, HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, BrushFor(Colour(control.BackColor())));
  DrawResourcePicture(control.Picture(), dc);
  const double scaleX = control.ScaleWidth() > 0 ? client.right / control.ScaleWidth() : 1;
  const double scaleY = control.ScaleHeight() > 0 ? client.bottom / control.ScaleHeight() : 1;
  const auto x = [&](double at) { return static_cast<int>(std::lround(at * scaleX)); };
  const auto y = [&](double at) { return static_cast<int>(std::lround(at * scaleY)); };
  const HGDIOBJ previousFont = SelectObject(dc, FontFor(control.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(control.ForeColor()));
  for (const forms::DrawOp& op : control.Drawing()) {
    if (const auto* text = std::get_if<forms::DrawnText>(&op)) {
      const std::wstring wide = Wide(text->text);
      TextOutW(dc, x(text->x), y(text->y), wide.c_str(), static_cast<int>(wide.size()));
    } else if (const auto* box = std::get_if<forms::DrawnBox>(&op)) {
      RECT area{x(std::min(box->x1, box->x2)), y(std::min(box->y1, box->y2)),
                x(std::max(box->x1, box->x2)), y(std::max(box->y1, box->y2))};
      FillRect(dc, &area, BrushFor(Colour(box->color)));
    } else if (const auto* blit = std::get_if<forms::DrawnBlit>(&op)) {
      BitBlt(dc, blit->x, blit->y, blit->width, blit->height, dc, blit->x, blit->y,
             blit->rasterOperation);
    }
  }
  SelectObject(dc, previousFont);
}

}  // namespace zarvelin::win32
