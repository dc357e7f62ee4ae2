#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "host/PathMapper.h"
#include "host/SettingsFile.h"
#include "platform/Platform.h"
#include "runtime/FileSystem.h"

namespace zarvelin::terminal {

struct TerminalOptions {
  // The answer to Yes/No questions, which a script cannot be asked.
  int32_t yesNoAnswer = mb::kAnswerNo;
  // Where settings.ini lives; empty: $XDG_CONFIG_HOME/zarvelin (or ~/.config/zarvelin).
  std::string settingsDirectory;
  // Drive types declared per drive letter, ahead of what the mounts say (D: a CD-ROM ...).
  std::map<char, int32_t> driveTypes;
  std::string mountsFile = "/proc/self/mounts";
  // Whether clipboard text also goes to the desktop's clipboard when there is one.
  bool mirrorClipboard = true;
  // Whether a mailto: link opens the desktop's mail program.
  bool openMail = true;
  // The programs that open documents, name the default printer and print.
  std::string opener = "xdg-open";
  std::string printerQuery = "lpstat";
  std::string printCommand = "lp";
  // Where message boxes are written; standard error when not given.
  std::ostream* messages = nullptr;
  // Where the folder dialog reads the user's answer; when not given, standard input if it is a
  // terminal, and without one nobody can answer and the dialog is cancelled.
  std::istream* answers = nullptr;
};

// The operating system's services for a program run from a terminal: message boxes are written
// out and answered without waiting, documents open through the desktop's opener, settings live
// in an INI file, and the version record tells what the host really is.
class TerminalPlatform : public Platform {
 public:
  TerminalPlatform(const host::PathMapper& paths, FileSystem& files, TerminalOptions options = {});

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
  // The resource id of the bitmap on the clipboard; 0 when there is none.
  int32_t ClipboardBitmap() const { return clipboardBitmap_; }
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

  // The folder dialog asks on the terminal for a folder (a host path, or a path with a drive);
  // an empty answer takes the folder shown as selected.
  int32_t SpecialFolderLocation(intptr_t owner, int32_t folder, intptr_t& item) override;
  intptr_t BrowseForFolderDialog(const FolderDialogRequest& request) override;
  std::optional<std::string> PathFromFolderItem(intptr_t item) override;
  void FreeFolderItem(intptr_t item) override;
  intptr_t SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                             intptr_t lParam) override;

  // Measured by the average character widths of MS Sans Serif.
  std::string CompactPath(intptr_t deviceContext, std::string_view path,
                          int32_t widthPixels) override;

  VersionRecord Version() override;
  NameAnswer UserName() override;
  NameAnswer ComputerName() override;

  void LogEvent(std::string_view logFile, std::string_view text) override;

 private:
  const host::PathMapper& paths_;
  FileSystem& files_;
  TerminalOptions options_;
  host::SettingsFile settings_;
  int32_t mousePointer_ = pointer::kDefault;
  std::string clipboardText_;
  int32_t clipboardBitmap_ = 0;
  // Folder items handed out, by number, with the VB path each stands for.
  std::map<intptr_t, std::string> folderItems_;
  intptr_t lastFolderItem_ = 0;
  std::optional<std::string> preselectedFolder_;
};

}  // namespace zarvelin::terminal
