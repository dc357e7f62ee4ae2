#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "forms/Form.h"
#include "forms/WindowBackend.h"

namespace zarvelin::win32 {

// The window backend of Windows: each loaded form is a top-level window and each of its controls
// a child window, made from the form's design (twips to pixels at the screen's resolution).
// Buttons, labels, frames and text boxes are the system's own controls; picture boxes and images
// are windows that paint the model's drawing. Clicks, double clicks, typed text, the close box,
// Enter and Esc go back to the model; nothing is decided here.
class Win32Windows : public forms::WindowBackend {
 public:
  // module: where the window classes are registered (the add-in's DLL or the program).
  explicit Win32Windows(HINSTANCE module);
  ~Win32Windows() override;
  Win32Windows(const Win32Windows&) = delete;
  Win32Windows& operator=(const Win32Windows&) = delete;

  void Created(forms::Form& form) override;
  void Destroyed(forms::Form& form) override;
  void FormChanged(forms::Form& form) override;
  void ControlChanged(forms::Form& form, forms::Control& control) override;
  void ShowModeless(forms::Form& form) override;
  void RunModal(forms::Form& form, forms::Form* owner) override;
  void Hidden(forms::Form& form) override;
  void SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x, int32_t y, int32_t cx,
                    int32_t cy, uint32_t flags) override;
  int32_t WindowState(const forms::Form& form) override;
  intptr_t DeviceContext(const forms::Form& form) override;
  double FrameWidth() override;
  double FrameHeight() override;
  double TextWidthTwips(const forms::Font& font, std::string_view text) override;
  double TextHeightTwips(const forms::Font& font) override;

  // The window procedures' way back in.
  LRESULT FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The keys typed into any of the forms, whoever runs the message loop (Enter and Esc for the
  // model, the rest as a dialog takes them); true when taken.
  bool TakeKey(const MSG& message);

 private:
  struct Peer;

  Peer* PeerOf(const forms::Form& form) const;
  Peer* PeerOf(HWND window) const;
  void MakeControl(Peer& peer, forms::Control& control);
  void Render(Peer& peer, forms::Control& control);
  void Arrange(Peer& peer);
  void PaintLines(Peer& peer, HDC dc);
  void PaintPicture(forms::Control& control, HWND window, HDC dc);
  void DrawResourcePicture(const std::string& name, HDC dc) const;
  RECT PixelsOf(const forms::Form& form, const forms::Control& control) const;
  int Pixels(double twips) const;
  HFONT FontFor(const forms::Font& font);
  HBRUSH BrushFor(COLORREF colour);
  // Runs a delivery to the model; a failure goes to the error report, never through Windows.
  template <class Delivery>
  void Deliver(const forms::Form& form, Delivery&& delivery);

  HINSTANCE module_;
  double twipsPerPixel_ = 15;
  int pixelsPerInchY_ = 96;
  HHOOK keyHook_ = nullptr;
  std::map<const forms::Form*, std::unique_ptr<Peer>> peers_;
  std::map<std::tuple<std::string, double, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  // Text the backend itself is putting into a box: its change notice is no user input.
  bool rendering_ = false;
};

}  // namespace zarvelin::win32
