#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace zarvelin::fakes {

// A platform for tests: every call is written down as a readable line in Log(), and every answer
// comes from the public fields a test sets.
class ScriptedPlatform : public Platform {
 public:
  // Message boxes take these answers in turn, then the first button of their style.
  std::deque<int32_t> messageAnswers;
  std::deque<int32_t> shellAnswers;           // then 42, a success
  std::map<std::string, int32_t> driveTypes;  // by root in capitals ("D:\"); otherwise fixed
  std::optional<std::string> printer = "Test Printer";
  // The clipboard's text, and its bitmap as the resource number put there.
  std::optional<std::string> clipboard;
  std::optional<int32_t> clipboardBitmap;
  // The folder dialog answers the next choice in turn (nothing: an item that is no folder), then
  // cancels; a special folder is an item for the path set for it, or fails.
  std::deque<std::optional<std::string>> folderChoices;
  std::map<int32_t, std::string> specialFolders;
  std::map<std::string, std::string> settings;  // by "app\section\key"
  VersionRecord version{true, true, 5, 1, 2600, 2, "Service Pack 3", 1};
  NameAnswer userName{true, "tester", 7};
  NameAnswer computerName{true, "TESTBOX", 7};
  // Calls that fail with an error number ("LogEvent", "ClipboardSetText", "PrintDocument" ...).
  std::map<std::string, int32_t> failing;
  // What the user does while the program yields: run once, at the next DoEvents.
  std::function<void()> atNextYield;

  const std::vector<std::string>& Log() const { return log_; }

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override;
  void DoEvents() override {
    log_.push_back("DoEvents");
    if (atNextYield) std::exchange(atNextYield, nullptr)();
  }
  double ScreenWidth() override { return 15360; }  // 1024 x 768 pixels
  double ScreenHeight() override { return 11520; }
  double TwipsPerPixelX() override { return 15; }
  int32_t MousePointer() override { return pointer_; }
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
  // "<width>:<path>", with the NUL DrawText leaves after the text.
  std::string CompactPath(intptr_t deviceContext, std::string_view path,
                          int32_t widthPixels) override;
  VersionRecord Version() override;
  NameAnswer UserName() override;
  NameAnswer ComputerName() override;
  void LogEvent(std::string_view logFile, std::string_view text) override;

 private:
  void Call(const std::string& line);

  std::vector<std::string> log_;
  int32_t pointer_ = 0;
  std::map<intptr_t, std::optional<std::string>> folderItems_;
  intptr_t lastFolderItem_ = 0;
};

}  // namespace zarvelin::fakes
