#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Service.h"

namespace zarvelin {

// Message box styles and answers, as the platform numbers them.
namespace mb {
// The low three bits of a style choose the buttons.
inline constexpr int32_t kButtonSet = 7;
inline constexpr int32_t kOkOnly = 0;
inline constexpr int32_t kOkCancel = 1;
inline constexpr int32_t kAbortRetryIgnore = 2;
inline constexpr int32_t kYesNoCancel = 3;
inline constexpr int32_t kYesNo = 4;
inline constexpr int32_t kRetryCancel = 5;
inline constexpr int32_t kCritical = 16;
inline constexpr int32_t kQuestion = 32;
inline constexpr int32_t kExclamation = 48;
inline constexpr int32_t kInformation = 64;
inline constexpr int32_t kAnswerOk = 1;
inline constexpr int32_t kAnswerCancel = 2;
inline constexpr int32_t kAnswerAbort = 3;
inline constexpr int32_t kAnswerYes = 6;
inline constexpr int32_t kAnswerNo = 7;
}  // namespace mb

// Screen.MousePointer values used here.
namespace pointer {
inline constexpr int32_t kDefault = 0;
inline constexpr int32_t kHourglass = 11;
}  // namespace pointer

// Drive types as GetDriveTypeA answers them.
namespace drive {
inline constexpr int32_t kUnknown = 0;
inline constexpr int32_t kNoRootDir = 1;
inline constexpr int32_t kRemovable = 2;
inline constexpr int32_t kFixed = 3;
inline constexpr int32_t kRemote = 4;
inline constexpr int32_t kCdRom = 5;
inline constexpr int32_t kRamDisk = 6;
}  // namespace drive

// Clipboard formats as the platform numbers them (CF_TEXT, CF_BITMAP).
namespace clipformat {
inline constexpr uint32_t kText = 1;
inline constexpr uint32_t kBitmap = 2;
}  // namespace clipformat

// One format the clipboard holds, as the backend reads it back: only ClipboardRestore gives it a
// meaning.
struct ClipboardFormat {
  uint32_t format = 0;
  std::string data;
  friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};
using ClipboardContent = std::vector<ClipboardFormat>;

// The folder dialog's callback (BFFCALLBACK): dialog window, message, message parameter and the
// request's callback data; answers 0.
using FolderDialogCallback =
    std::function<int32_t(intptr_t dialog, uint32_t message, intptr_t lParam, intptr_t data)>;

// What SHBrowseForFolderA is given (BROWSEINFOA, in its order); the display-name buffer and the
// image index are neither given nor read.
struct FolderDialogRequest {
  intptr_t owner = 0;
  intptr_t root = 0;  // 0: the whole shell namespace
  std::string title;
  uint32_t flags = 0;
  FolderDialogCallback callback;
  intptr_t callbackData = 0;
};

// The version record as GetVersionExA fills it (OSVERSIONINFOEXA), with the outcome of the two
// calls the system makes: first with the extended size 156, then with the basic size 148.
struct VersionRecord {
  bool extendedCallSucceeds = true;
  bool basicCallSucceeds = true;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  int32_t buildNumber = 0;
  uint32_t platformId = 0;
  std::string servicePack;  // szCSDVersion, 128 bytes NUL-terminated in the record
  uint8_t productType = 0;  // extended record only
};

// The answer of GetUserNameA / GetComputerNameA: whether the call succeeded, and the buffer and
// size as the call leaves them (the size counts the NUL for the user name, not for the computer).
struct NameAnswer {
  bool succeeded = false;
  std::string buffer;
  uint32_t size = 0;
};

// What the operating system gives the program, beyond files (runtime/FileSystem.h). One
// implementation per platform; every call is a thin translation to the platform's own call.
class Platform {
 public:
  virtual ~Platform() = default;

  // MsgBox: shows text under title with the style number; answers the button pressed.
  virtual int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) = 0;
  // DoEvents: lets pending window messages be processed.
  virtual void DoEvents() = 0;

  // Screen.Width / Screen.Height in twips, Screen.TwipsPerPixelX, Screen.MousePointer.
  virtual double ScreenWidth() = 0;
  virtual double ScreenHeight() = 0;
  virtual double TwipsPerPixelX() = 0;
  virtual int32_t MousePointer() = 0;
  virtual void SetMousePointer(int32_t pointer) = 0;

  // Clipboard.Clear, Clipboard.SetText, Clipboard.GetText, Clipboard.SetData (a bitmap resource).
  virtual void ClipboardClear() = 0;
  virtual void ClipboardSetText(std::string_view text) = 0;
  virtual std::string ClipboardGetText() = 0;
  virtual void ClipboardSetBitmap(int32_t resourceId) = 0;
  // Every format the clipboard holds that can be read back, and putting exactly those back.
  virtual ClipboardContent ClipboardSave() = 0;
  virtual void ClipboardRestore(const ClipboardContent& content) = 0;

  // GetSetting / SaveSetting in the per-user settings store.
  virtual std::string GetSetting(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view defaultValue) = 0;
  virtual void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  // DeleteSetting; a key that is not there is left alone.
  virtual void DeleteSetting(std::string_view app, std::string_view section,
                             std::string_view key) = 0;

  // GetDriveTypeA of a root such as "D:\".
  virtual int32_t DriveType(std::string_view root) = 0;

  // ShellExecuteA: answers the platform's code (33 or more is success).
  virtual int32_t ShellExecuteFile(intptr_t window, std::string_view verb, std::string_view file,
                                   std::string_view parameters, std::string_view directory,
                                   int32_t showCommand) = 0;

  // The default printer: its name (throws VbError when there is none), and printing one block of
  // text as a document after the two page-layout settings (scale mode, top offset in inches).
  virtual std::string PrinterDeviceName() = 0;
  virtual void PrintDocument(std::string_view text, int32_t scaleMode, float currentY) = 0;

  // The shell's folder dialog. SHGetSpecialFolderLocation: 0 and the special folder's item, or
  // the failure's result. SHBrowseForFolderA: the chosen item, 0 when the user cancelled.
  // SHGetPathFromIDListA: the path buffer as the call left it, nothing for an item that is no
  // file-system folder. CoTaskMemFree of an item the shell handed out.
  virtual int32_t SpecialFolderLocation(intptr_t owner, int32_t folder, intptr_t& item) = 0;
  virtual intptr_t BrowseForFolderDialog(const FolderDialogRequest& request) = 0;
  virtual std::optional<std::string> PathFromFolderItem(intptr_t item) = 0;
  virtual void FreeFolderItem(intptr_t item) = 0;

  // SendMessageA.
  virtual intptr_t SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                                     intptr_t lParam) = 0;

  // DrawTextA of the path into a rectangle widthPixels wide with DT_SINGLELINE |
  // DT_PATH_ELLIPSIS | DT_MODIFYSTRING: the path as the call left it, "..." standing for what
  // did not fit in the device context's font, the file name kept.
  virtual std::string CompactPath(intptr_t deviceContext, std::string_view path,
                                  int32_t widthPixels) = 0;

  virtual VersionRecord Version() = 0;
  virtual NameAnswer UserName() = 0;
  virtual NameAnswer ComputerName() = 0;

  // App.LogEvent after App.StartLogging(path, append): appends one informational entry.
  virtual void LogEvent(std::string_view logFile, std::string_view text) = 0;
};

// The installed platform (the program or a test installs it before anything runs).
inline Platform& Sys() {
  return Service<Platform>::Get();
}

}  // namespace zarvelin
