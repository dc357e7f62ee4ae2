#pragma once

#include <windows.h>

#include <string>

namespace zarvelin::testhost {

// One PASS or FAIL line per check, from any thread; the count of failures is the exit status.
void Check(bool ok, const char* what);
int Failed();
int Passed();

// The top-level window of a class whose caption starts so, once it shows (nullptr after
// timeoutMs).
HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs = 20000);
// True once the window is gone.
bool WaitUntilGone(HWND window, DWORD timeoutMs = 20000);
// A child of a class whose text is exactly text, or (with a null text) the first of its class.
HWND ChildOf(HWND parent, const wchar_t* windowClass, const wchar_t* text);
// The text of the first child of a class whose text ends with tail; empty when none does.
std::wstring ChildTextEndingWith(HWND parent, const wchar_t* windowClass, const wchar_t* tail);
// The window as the screen shows it, frame included, written as a 24-bit BMP file.
bool Screenshot(HWND window, const std::wstring& file);
// The clipboard's Unicode text.
std::wstring ClipboardText();

}  // namespace zarvelin::testhost
