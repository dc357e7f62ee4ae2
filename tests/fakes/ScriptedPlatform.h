#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace zarvelin::fakes {

// A platform for tests: every call is written down (as a record and as a readable line in Log()),
// and every answer comes from what the test set up.
class ScriptedPlatform : public Platform {
 public:
  struct ShownMessage {
    std::string text;
    std::string title;
    int32_t style = 0;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
  };
  struct ShellCall {
    intptr_t window = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int32_t showCommand = 0;
    friend bool operator==(const ShellCall&, const ShellCall&) = default;
  };
  struct PrintedDocument {
    std::string text;
    int32_t scaleMode = 0;
    float currentY = 0;
  };

  // --- message boxes: answered from the queue, then by the box's first button ---
  void AnswerMessageBoxes(std::initializer_list<int32_t> answers);
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  // The first button of a style: OK, or Yes for the Yes/No styles, Abort, Retry.
  static int32_t FirstButton(int32_t style);

  // --- everything that was called, one line per call ("MsgBox 48 Zarvelin: text") ---
  const std::vector<std::string>& Log() const { return log_; }
  int32_t DoEventsCount() const { return doEvents_; }

  // --- screen and mouse pointer ---
  void SetScreen(double width, double height) {
    screenWidth_ = width;
    screenHeight_ = height;
  }
  const std::vector<int32_t>& MousePointerHistory() const { return pointers_; }

  // --- clipboard: its text and bitmap formats, and how often it was emptied ---
  const std::optional<std::string>& ClipboardText() const { return clipboardText_; }
  const std::optional<int32_t>& ClipboardBitmap() const { return clipboardBitmap_; }
  int32_t ClipboardClears() const { return clipboardClears_; }
  void PutOnClipboard(std::optional<std::string> text, std::optional<int32_t> bitmap) {
    clipboardText_ = std::move(text);
    clipboardBitmap_ = bitmap;
  }

  // --- folder dialog: a showing tells the callback "initialised" (1) and "selection changed" (2),
  // then answers the next choice queued (nothing: an item that is no folder) or cancels; a special
  // folder is an item for the path set for it, or fails. Every call is written to Log(), and a
  // folder path given by address (wParam not 0) is written as the text found there. ---
  void ChooseFolder(std::optional<std::string> path) { folderChoices_.push_back(std::move(path)); }
  void SetSpecialFolder(int32_t folder, std::string path) { specialFolders_[folder] = path; }
  // CompactPath answers "<width>:<path>", with the NUL DrawText leaves after the text.

  // --- settings store, by (app, section, key) ---
  using SettingKey = std::tuple<std::string, std::string, std::string>;
  std::map<SettingKey, std::string>& Settings() { return settings_; }

  // --- drives: by root as given ("D:\"), without regard to letter case ---
  void SetDriveType(std::string_view root, int32_t type);
  void SetDefaultDriveType(int32_t type) { defaultDriveType_ = type; }

  // --- ShellExecuteFile: answered from the queue, then 42 (success) ---
  void AnswerShellExecute(std::initializer_list<int32_t> answers);
  const std::vector<ShellCall>& ShellCalls() const { return shellCalls_; }

  // --- printer ---
  void SetPrinter(std::optional<std::string> deviceName) { printer_ = std::move(deviceName); }
  const std::vector<PrintedDocument>& Printed() const { return printed_; }

  // --- version record, user and computer names ---
  VersionRecord& VersionAnswer() { return version_; }
  NameAnswer& UserNameAnswer() { return userName_; }
  NameAnswer& ComputerNameAnswer() { return computerName_; }

  // --- event log: the entries per log file; optionally also appended to the file itself ---
  const std::map<std::string, std::vector<std::string>>& LogEntries() const { return logEntries_; }
  std::vector<std::string> LogEntriesOf(const std::string& logFile) const;
  void AppendLogEntriesToFiles(bool append) { appendLogToFiles_ = append; }

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override;
  void DoEvents() override;
  double ScreenWidth() override { return screenWidth_; }
  double ScreenHeight() override { return screenHeight_; }
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
  std::string CompactPath(intptr_t deviceContext, std::string_view path,
                          int32_t widthPixels) override;
  VersionRecord Version() override;
  NameAnswer UserName() override;
  NameAnswer ComputerName() override;
  void LogEvent(std::string_view logFile, std::string_view text) override;

 private:
  std::vector<std::string> log_;
  std::vector<ShownMessage> messages_;
  std::deque<int32_t> messageAnswers_;
  int32_t doEvents_ = 0;
  double screenWidth_ = 15360;  // 1024 x 768 pixels
  double screenHeight_ = 11520;
  int32_t pointer_ = 0;
  std::vector<int32_t> pointers_;
  std::optional<std::string> clipboardText_;
  std::optional<int32_t> clipboardBitmap_;
  int32_t clipboardClears_ = 0;
  std::deque<std::optional<std::string>> folderChoices_;
  std::map<int32_t, std::string> specialFolders_;
  std::map<intptr_t, std::optional<std::string>> folderItems_;
  intptr_t lastFolderItem_ = 0;
  std::map<SettingKey, std::string> settings_;
  std::map<std::string, int32_t> driveTypes_;
  int32_t defaultDriveType_ = 3;
  std::deque<int32_t> shellAnswers_;
  std::vector<ShellCall> shellCalls_;
  std::optional<std::string> printer_ = "Test Printer";
  std::vector<PrintedDocument> printed_;
  VersionRecord version_{true, true, 5, 1, 2600, 2, "Service Pack 3", 1};
  NameAnswer userName_{true, "tester", 7};
  NameAnswer computerName_{true, "TESTBOX", 7};
  std::map<std::string, std::vector<std::string>> logEntries_;
  bool appendLogToFiles_ = false;
};

}  // namespace zarvelin::fakes
