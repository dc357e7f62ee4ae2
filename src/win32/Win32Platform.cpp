#include "win32/Win32Platform.h"

#include <shellapi.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "runtime/VbError.h"
#include "win32/ThreadModality.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {
namespace {

constexpr int32_t kCantEmptyClipboard = 520;
constexpr int32_t kCantOpenClipboard = 521;
constexpr int32_t kResourceNotFound = 326;
constexpr int32_t kPrinterError = 482;
constexpr int32_t kNoPrinterInformation = 484;
constexpr double kTwipsPerInch = 1440;

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\";

// The cursor Windows shows for each Screen.MousePointer value; custom pictures (99) are not used.
LPCWSTR CursorFor(int32_t pointer) {
  switch (pointer) {
    case 2:
      return IDC_CROSS;
    case 3:
      return IDC_IBEAM;
    case 5:
    case 15:
      return IDC_SIZEALL;
    case 6:
      return IDC_SIZENESW;
    case 7:
      return IDC_SIZENS;
    case 8:
      return IDC_SIZENWSE;
    case 9:
      return IDC_SIZEWE;
    case 10:
      return IDC_UPARROW;
    case pointer::kHourglass:
      return IDC_WAIT;
    case 12:
      return IDC_NO;
    case 13:
      return IDC_APPSTARTING;
    case 14:
      return IDC_HELP;
    default:
      return IDC_ARROW;
  }
}

double TwipsPerPixel(int axis) {
  const HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return kTwipsPerInch / pixelsPerInch;
}

// Held open while one clipboard operation runs, so that every way out closes it.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!OpenClipboard(owner)) throw VbError(kCantOpenClipboard);
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  void Empty() {
    if (!EmptyClipboard()) throw VbError(kCantEmptyClipboard);
  }
};

// The clipboard takes memory handles it then owns; one it refuses stays ours to free.
void PutMemory(UINT format, const void* data, size_t size) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  if (memory == nullptr) throw VbError(vberr::kOutOfMemory);
  if (size > 0) {
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
  }
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    throw VbError(kCantOpenClipboard);
  }
}

void PutBitmap(HBITMAP bitmap) {
  if (SetClipboardData(CF_BITMAP, bitmap) == nullptr) {
    DeleteObject(bitmap);
    throw VbError(kCantOpenClipboard);
  }
}

// A bitmap's pixels as a packed device-independent bitmap (header, then 32-bit rows), which
// outlives the handle the clipboard held.
std::optional<std::string> BitmapBytes(HBITMAP bitmap) {
  BITMAP shape{};
  if (GetObjectW(bitmap, sizeof shape, &shape) == 0) return std::nullopt;
  // Room for the three colour masks GetDIBits may write after the header.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD masks[3];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = shape.bmWidth;
  info.header.biHeight = shape.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = 32;
  info.header.biCompression = BI_RGB;
  const size_t pixels = static_cast<size_t>(shape.bmWidth) * static_cast<size_t>(shape.bmHeight);
  std::string bytes(sizeof info.header + pixels * 4, '\0');
  const HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight),
                              bytes.data() + sizeof info.header,
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines == 0) return std::nullopt;
  std::memcpy(bytes.data(), &info.header, sizeof info.header);
  return bytes;
}

HBITMAP BitmapFrom(const std::string& bytes) {
  BITMAPINFOHEADER header{};
  if (bytes.size() < sizeof header) return nullptr;
  std::memcpy(&header, bytes.data(), sizeof header);
  const size_t pixels = static_cast<size_t>(header.biWidth) * static_cast<size_t>(header.biHeight);
  if (header.biBitCount != 32 || bytes.size() < sizeof header + pixels * 4) return nullptr;
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap =
      CreateDIBitmap(screen, &header, CBM_INIT, bytes.data() + sizeof header,
                     reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// Formats whose data is a handle the clipboard's owner must keep alive (palettes, metafile
// pictures, private and GDI objects) or that the owner draws itself: nothing to read back.
bool HeldAsHandle(UINT format) {
  switch (format) {
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return true;
    default:
      return format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST;
  }
}

std::optional<std::string> SavedData(UINT format) {
  if (HeldAsHandle(format)) return std::nullopt;
  const HANDLE data = GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  if (format == CF_BITMAP) return BitmapBytes(static_cast<HBITMAP>(data));
  if (format == CF_ENHMETAFILE) {
    const HENHMETAFILE metafile = static_cast<HENHMETAFILE>(data);
    std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
    if (bytes.empty()) return std::nullopt;
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()),
                       reinterpret_cast<BYTE*>(bytes.data()));
    return bytes;
  }
  const void* locked = GlobalLock(data);
  if (locked == nullptr) return std::nullopt;
  std::string bytes(static_cast<const char*>(locked), GlobalSize(data));
  GlobalUnlock(data);
  return bytes;
}

void Restore(const ClipboardFormat& held) {
  if (held.format == CF_BITMAP) {
    const HBITMAP bitmap = BitmapFrom(held.data);
    if (bitmap == nullptr) throw VbError(kCantOpenClipboard);
    PutBitmap(bitmap);
  } else if (held.format == CF_ENHMETAFILE) {
    const HENHMETAFILE metafile = SetEnhMetaFileBits(
        static_cast<UINT>(held.data.size()), reinterpret_cast<const BYTE*>(held.data.data()));
    if (metafile == nullptr) throw VbError(kCantOpenClipboard);
    if (SetClipboardData(CF_ENHMETAFILE, metafile) == nullptr) {
      DeleteEnhMetaFile(metafile);
      throw VbError(kCantOpenClipboard);
    }
  } else {
    PutMemory(held.format, held.data.data(), held.data.size());
  }
}

std::wstring SettingsKey(std::string_view app, std::string_view section) {
  return kSettingsRoot + Wide(app) + L"\\" + Wide(section);
}

// SaveSetting and DeleteSetting answer every failure of the registry so.
void RequireSuccess(LSTATUS status) {
  if (status != ERROR_SUCCESS) throw VbError(vberr::kInvalidProcedureCall);
}

std::wstring DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) throw VbError(kNoPrinterInformation);
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) throw VbError(kNoPrinterInformation);
  name.resize(std::wcslen(name.c_str()));
  return name;
}

// A vertical position in the scale mode, in the device's pixels.
int DeviceY(int32_t scaleMode, double value, int pixelsPerInch) {
  double inches = value / kTwipsPerInch;
  switch (scaleMode) {
    case 2:  // points
      inches = value / 72;
      break;
    case 3:  // pixels
      return static_cast<int>(value);
    case 4:  // characters: 240 twips high
      inches = value * 240 / kTwipsPerInch;
      break;
    case 5:  // inches
      inches = value;
      break;
    case 6:  // millimetres
      inches = value / 25.4;
      break;
    case 7:  // centimetres
      inches = value / 2.54;
      break;
    default:  // twips, and a user scale read as twips
      break;
  }
  return static_cast<int>(inches * pixelsPerInch);
}

// Ends the document whichever way printing ends: a finished one is printed, a failed one dropped.
class PrintJob {
 public:
  explicit PrintJob(const std::wstring& printer)
      : dc_(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr)) {
    if (dc_ == nullptr) throw VbError(kPrinterError);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Zarvelin";
    if (StartDocW(dc_, &document) <= 0) {
      DeleteDC(dc_);
      throw VbError(kPrinterError);
    }
  }
  ~PrintJob() {
    if (!ended_) AbortDoc(dc_);
    DeleteDC(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  HDC Dc() const { return dc_; }
  void End() {
    if (EndDoc(dc_) <= 0) throw VbError(kPrinterError);
    ended_ = true;
  }

 private:
  HDC dc_;
  bool ended_ = false;
};

// The shell's dialog calls back from its own code: a failure must not unwind through it, so the
// dialog goes on as if the callback had done nothing.
int CALLBACK ForwardFolderDialogEvent(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  const auto& request = *reinterpret_cast<const FolderDialogRequest*>(data);
  try {
    return request.callback(reinterpret_cast<intptr_t>(dialog), message, lParam,
                            request.callbackData);
  } catch (...) {
    return 0;
  }
}

// The name and the size the ...A call would leave: the size in bytes of the UTF-8 text, with
// or without the NUL as the call counts it.
NameAnswer Answered(std::wstring_view name, bool sizeCountsNul) {
  const std::string narrow = Narrow(name);
  return NameAnswer{true, narrow + '\0',
                    static_cast<uint32_t>(narrow.size() + (sizeCountsNul ? 1 : 0))};
}

}  // namespace

Win32Platform::Win32Platform(FileSystem& files, HMODULE resources)
    : files_(files), resources_(resources) {}

Win32Platform::~Win32Platform() {
  if (clipboardOwner_ != nullptr) DestroyWindow(clipboardOwner_);
}

int32_t Win32Platform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  const HWND owner = GetActiveWindow();
  const ThreadModality modality;
  return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), static_cast<UINT>(style));
}

void Win32Platform::DoEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The loop that owns the thread must still see it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

double Win32Platform::ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel(LOGPIXELSX);
}

double Win32Platform::ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel(LOGPIXELSY);
}

double Win32Platform::TwipsPerPixelX() {
  return TwipsPerPixel(LOGPIXELSX);
}

int32_t Win32Platform::MousePointer() {
  return mousePointer_;
}

void Win32Platform::SetMousePointer(int32_t pointer) {
  mousePointer_ = pointer;
  SetCursor(LoadCursorW(nullptr, CursorFor(pointer)));
}

HWND Win32Platform::ClipboardOwner() {
  if (clipboardOwner_ == nullptr) {
    clipboardOwner_ =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  return clipboardOwner_;
}

void Win32Platform::ClipboardClear() {
  OpenedClipboard clipboard(ClipboardOwner());
  clipboard.Empty();
}

void Win32Platform::ClipboardSetText(std::string_view text) {
  const std::wstring wide = Wide(text);
  const OpenedClipboard clipboard(ClipboardOwner());
  PutMemory(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

std::string Win32Platform::ClipboardGetText() {
  const OpenedClipboard clipboard(ClipboardOwner());
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  const auto* locked = static_cast<const wchar_t*>(GlobalLock(data));
  if (locked == nullptr) return {};
  // Up to the NUL, and never past the memory even when another program left none.
  std::wstring_view held(locked, GlobalSize(data) / sizeof(wchar_t));
  held = held.substr(0, held.find(L'\0'));
  const std::string text = Narrow(held);
  GlobalUnlock(data);
  return text;
}

void Win32Platform::ClipboardSetBitmap(int32_t resourceId) {
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageW(resources_, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (bitmap == nullptr) {
    throw VbError(kResourceNotFound,
                  "Resource with identifier '" + std::to_string(resourceId) + "' not found");
  }
  OpenedClipboard clipboard(ClipboardOwner());
  // The picture alone, as a paste of it expects.
  clipboard.Empty();
  PutBitmap(bitmap);
}

ClipboardContent Win32Platform::ClipboardSave() {
  const OpenedClipboard clipboard(ClipboardOwner());
  ClipboardContent content;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (std::optional<std::string> data = SavedData(format)) {
      content.push_back({format, std::move(*data)});
    }
  }
  return content;
}

void Win32Platform::ClipboardRestore(const ClipboardContent& content) {
  OpenedClipboard clipboard(ClipboardOwner());
  clipboard.Empty();
  for (const ClipboardFormat& held : content) Restore(held);
}

std::string Win32Platform::GetSetting(std::string_view app, std::string_view section,
                                      std::string_view key, std::string_view defaultValue) {
  const std::wstring path = SettingsKey(app, section);
  const std::wstring name = Wide(key);
  DWORD size = 0;
  LSTATUS status = ERROR_MORE_DATA;
  std::wstring value;
  // The value may grow between the call that sizes it and the call that reads it.
  while (status == ERROR_MORE_DATA) {
    status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                          nullptr, &size);
    if (status != ERROR_SUCCESS) break;
    value.assign(size / sizeof(wchar_t) + 1, L'\0');
    status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                          value.data(), &size);
  }
  if (status != ERROR_SUCCESS) return std::string(defaultValue);
  value.resize(std::wcslen(value.c_str()));
  return Narrow(value);
}

void Win32Platform::SaveSetting(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view value) {
  HKEY handle = nullptr;
  RequireSuccess(RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                                 nullptr));
  const std::wstring data = Wide(value);
  const LSTATUS status = RegSetValueExW(handle, Wide(key).c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  RequireSuccess(status);
}

void Win32Platform::DeleteSetting(std::string_view app, std::string_view section,
                                  std::string_view key) {
  const LSTATUS status =
      RegDeleteKeyValueW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), Wide(key).c_str());
  if (status != ERROR_FILE_NOT_FOUND) RequireSuccess(status);
}

int32_t Win32Platform::DriveType(std::string_view root) {
  return static_cast<int32_t>(GetDriveTypeW(Wide(root).c_str()));
}

int32_t Win32Platform::ShellExecuteFile(intptr_t window, std::string_view verb,
                                        std::string_view file, std::string_view parameters,
                                        std::string_view directory, int32_t showCommand) {
  const std::wstring wideVerb = Wide(verb);
  const std::wstring wideParameters = Wide(parameters);
  const std::wstring wideDirectory = Wide(directory);
  // An empty text is "not given" to the shell, as an empty string is to ShellExecuteA.
  const auto given = [](const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); };
  const HINSTANCE result =
      ShellExecuteW(reinterpret_cast<HWND>(window), given(wideVerb), Wide(file).c_str(),
                    given(wideParameters), given(wideDirectory), showCommand);
  return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
}

std::string Win32Platform::PrinterDeviceName() {
  return Narrow(DefaultPrinter());
}

void Win32Platform::PrintDocument(std::string_view text, int32_t scaleMode, float currentY) {
  PrintJob job(DefaultPrinter());
  if (StartPage(job.Dc()) <= 0) throw VbError(kPrinterError);
  const int top = DeviceY(scaleMode, currentY, GetDeviceCaps(job.Dc(), LOGPIXELSY));
  RECT area{0, top, GetDeviceCaps(job.Dc(), HORZRES), GetDeviceCaps(job.Dc(), VERTRES)};
  const std::wstring wide = Wide(text);
  if (DrawTextW(job.Dc(), wide.c_str(), static_cast<int>(wide.size()), &area,
                DT_NOPREFIX | DT_EXPANDTABS) == 0 ||
      EndPage(job.Dc()) <= 0) {
    throw VbError(kPrinterError);
  }
  job.End();
}

int32_t Win32Platform::SpecialFolderLocation(intptr_t owner, int32_t folder, intptr_t& item) {
  LPITEMIDLIST list = nullptr;
  const HRESULT result = SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner), folder, &list);
  if (list != nullptr) item = reinterpret_cast<intptr_t>(list);
  return static_cast<int32_t>(result);
}

intptr_t Win32Platform::BrowseForFolderDialog(const FolderDialogRequest& request) {
  wchar_t displayName[MAX_PATH] = {};
  const std::wstring title = Wide(request.title);
  BROWSEINFOW info{};
  info.hwndOwner = reinterpret_cast<HWND>(request.owner);
  info.pidlRoot = reinterpret_cast<LPCITEMIDLIST>(request.root);
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = request.flags;
  if (request.callback) {
    info.lpfn = ForwardFolderDialogEvent;
    info.lParam = reinterpret_cast<LPARAM>(&request);
  }
  const ThreadModality modality;
  return reinterpret_cast<intptr_t>(SHBrowseForFolderW(&info));
}

std::optional<std::string> Win32Platform::PathFromFolderItem(intptr_t item) {
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(item), buffer)) return std::nullopt;
  return Narrow(std::wstring_view(buffer, MAX_PATH));
}

void Win32Platform::FreeFolderItem(intptr_t item) {
  CoTaskMemFree(reinterpret_cast<void*>(item));
}

intptr_t Win32Platform::SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                                          intptr_t lParam) {
  const HWND target = reinterpret_cast<HWND>(window);
  if (message == BFFM_SETSELECTIONA && wParam != 0 && lParam != 0) {
    // The folder to pre-select comes as UTF-8 text; the dialog takes it wide, so any name works.
    const std::wstring path = Wide(reinterpret_cast<const char*>(lParam));
    return SendMessageW(target, BFFM_SETSELECTIONW, static_cast<WPARAM>(wParam),
                        reinterpret_cast<LPARAM>(path.c_str()));
  }
  return SendMessageW(target, message, static_cast<WPARAM>(wParam), lParam);
}

std::string Win32Platform::CompactPath(intptr_t deviceContext, std::string_view path,
                                       int32_t widthPixels) {
  const HDC dc = reinterpret_cast<HDC>(deviceContext);
  std::wstring buffer = Wide(path);
  const size_t length = buffer.size();
  // DT_MODIFYSTRING may write up to four characters more than the text, and a NUL.
  buffer.resize(length + 5, L'\0');
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT area{0, 0, widthPixels, metrics.tmHeight};
  DrawTextW(dc, buffer.data(), static_cast<int>(length), &area,
            DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  return Narrow(buffer);
}

VersionRecord Win32Platform::Version() {
  VersionRecord record;
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
  OSVERSIONINFOW basic{};
  basic.dwOSVersionInfoSize = sizeof basic;
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)  // Deprecated, yet still the call that says what the record says.
#endif
  record.extendedCallSucceeds = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)) != 0;
  record.basicCallSucceeds = GetVersionExW(&basic) != 0;
#ifdef _MSC_VER
#pragma warning(pop)
#endif
  // GetVersionEx answers 6.2 to every later Windows unless the program's manifest names it; the
  // kernel's own call tells the truth, in the same record.
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"); ntdll && record.extendedCallSucceeds) {
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOEXW truth{};
    truth.dwOSVersionInfoSize = sizeof truth;
    if (rtlGetVersion && rtlGetVersion(&truth) == 0) extended = truth;
  }
  const OSVERSIONINFOW& filled =
      record.extendedCallSucceeds ? *reinterpret_cast<OSVERSIONINFOW*>(&extended) : basic;
  record.majorVersion = filled.dwMajorVersion;
  record.minorVersion = filled.dwMinorVersion;
  record.buildNumber = static_cast<int32_t>(filled.dwBuildNumber);
  record.platformId = filled.dwPlatformId;
  record.servicePack = Narrow(std::wstring_view(filled.szCSDVersion));
  if (record.extendedCallSucceeds) record.productType = extended.wProductType;
  return record;
}

NameAnswer Win32Platform::UserName() {
  // UNLEN, the longest user name, and its NUL.
  wchar_t buffer[257] = {};
  DWORD size = std::size(buffer);
  if (!GetUserNameW(buffer, &size)) return NameAnswer{};
  return Answered(buffer, true);
}

NameAnswer Win32Platform::ComputerName() {
  wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = std::size(buffer);
  if (!GetComputerNameW(buffer, &size)) return NameAnswer{};
  return Answered(buffer, false);
}

void Win32Platform::LogEvent(std::string_view logFile, std::string_view text) {
  files_.AppendText(std::string(logFile), text);
}

}  // namespace zarvelin::win32
