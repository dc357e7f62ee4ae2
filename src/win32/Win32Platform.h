#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "runtime/FileSystem.h"

namespace zarvelin::win32 {

// What Windows gives the program, through the wide (W) functions: UTF-8 inside, UTF-16 at the
// call. Each service translates its request into the system's call and hands back the answer.
class Win32Platform : public Platform {
 public:
  // files: where the log entries go. resources: the module holding the bitmap resources (the
  // add-in's DLL, or a program's own executable).
  Win32Platform(FileSystem& files, HMODULE resources);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override;
  void DoEvents() override;

  double ScreenWidth() override;
  double ScreenHeight() override;
  double TwipsPerPixelX() override;
  int32_t MousePointer() override;
  void SetMousePointer(int32_t pointer) override;

  void ClipboardClear() override;
  void ClipboardSetText(std::string_view text) override;
  std::string ClipboardGetText() override;
  void ClipboardSetBitmap(int32_t resourceId) override;
  ClipboardContent ClipboardSave() override;
  void ClipboardRestore(const ClipboardContent& content) override;

  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view defaultValue) override;
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override;
  void DeleteSetting(std::string_view app, std::string_view section, std::string_view key) override;

  int32_t DriveType(std::string_view root) override;
  int32_t ShellExecuteFile(intptr_t window, std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory,
                           int32_t showCommand) override;

  std::string PrinterDeviceName() override;
  void PrintDocument(std::string_view text, int32_t scaleMode, float currentY) override;

  int32_t SpecialFolderLocation(intptr_t owner, int32_t folder, intptr_t& item) override;
  intptr_t BrowseForFolderDialog(const FolderDialogRequest& request) override;
  std::optional<std::string> PathFromFolderItem(intptr_t item) override;
  void FreeFolderItem(intptr_t item) override;

  intptr_t SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                             intptr_t lParam) override;
  std::string CompactPath(intptr_t deviceContext, std::string_view path,
                          int32_t widthPixels) override;

  VersionRecord Version() override;
  NameAnswer UserName() override;
  NameAnswer ComputerName() override;

  void LogEvent(std::string_view logFile, std::string_view text) override;

 private:
  // A message-only window that owns what this process puts on the clipboard: a clipboard opened
  // without an owner window loses what is set after it is emptied.
  HWND ClipboardOwner();

  FileSystem& files_;
  HMODULE resources_;
  HWND clipboardOwner_ = nullptr;
  int32_t mousePointer_ = pointer::kDefault;
};

}  // namespace zarvelin::win32
