#include "win32/testhost/ProofChecks.h"

#include <atomic>
#include <cstdio>
#include <vector>

namespace zarvelin::testhost {
namespace {

std::atomic<int> passed{0};
std::atomic<int> failed{0};
constexpr DWORD kPollMs = 50;

struct Search {
  const wchar_t* windowClass;
  const wchar_t* text;
  bool tailOnly;
  HWND found = nullptr;
  std::wstring foundText;
};

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

BOOL CALLBACK Visit(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (CompareStringOrdinal(name, -1, search.windowClass, -1, TRUE) != CSTR_EQUAL) return TRUE;
  const std::wstring text = TextOf(child);
  bool match = search.text == nullptr || text == search.text;
  if (search.tailOnly && search.text != nullptr) {
    const std::wstring tail = search.text;
    match = text.size() >= tail.size() &&
            text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  }
  if (!match) return TRUE;
  search.found = child;
  search.foundText = text;
  return FALSE;
}

struct Wanted {
  const wchar_t* windowClass;
  std::wstring caption;
  HWND found = nullptr;
};

BOOL CALLBACK VisitTop(HWND window, LPARAM data) {
  auto& wanted = *reinterpret_cast<Wanted*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (IsWindowVisible(window) &&
      CompareStringOrdinal(name, -1, wanted.windowClass, -1, TRUE) == CSTR_EQUAL &&
      TextOf(window).compare(0, wanted.caption.size(), wanted.caption) == 0) {
    wanted.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  std::fflush(stdout);
  ++(ok ? passed : failed);
}

int Failed() {
  return failed;
}

int Passed() {
  return passed;
}

HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs) {
  Wanted wanted{windowClass, caption, nullptr};
  for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
    wanted.found = nullptr;
    EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&wanted));
    if (wanted.found != nullptr) return wanted.found;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(kPollMs);
  }
  return false;
}

HWND ChildOf(HWND parent, const wchar_t* windowClass, const wchar_t* text) {
  Search search{windowClass, text, false, nullptr, {}};
  EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ChildTextEndingWith(HWND parent, const wchar_t* windowClass, const wchar_t* tail) {
  Search search{windowClass, tail, true, nullptr, {}};
  EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  return search.foundText;
}

bool Screenshot(HWND window, const std::wstring& file) {
  // What the window's thread still has to paint is painted first.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  RECT area{};
  if (!GetWindowRect(window, &area)) return false;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap != nullptr) {
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, previous);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    const HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ok = ok && out != INVALID_HANDLE_VALUE &&
         WriteFile(out, &fileHeader, sizeof fileHeader, &written, nullptr) &&
         WriteFile(out, &header, sizeof header, &written, nullptr) &&
         WriteFile(out, bits, header.biSizeImage, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace zarvelin::testhost
