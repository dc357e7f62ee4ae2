#include "ScriptedPlatform.h"

#include <utility>

#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

// The run time's answer when no printer is set up.
constexpr int32_t kPrinterError = 484;
constexpr int32_t kDefaultShellAnswer = 42;
constexpr intptr_t kFolderDialogWindow = 0x7F00;
constexpr int32_t kNoSuchSpecialFolder = static_cast<int32_t>(0x80004005u);
constexpr uint32_t kInitialized = 1;
constexpr uint32_t kSelectionChanged = 2;

int32_t Next(std::deque<int32_t>& queue, int32_t otherwise) {
  if (queue.empty()) return otherwise;
  const int32_t answer = queue.front();
  queue.pop_front();
  return answer;
}

}  // namespace

void ScriptedPlatform::AnswerMessageBoxes(std::initializer_list<int32_t> answers) {
  messageAnswers_.insert(messageAnswers_.end(), answers.begin(), answers.end());
}

int32_t ScriptedPlatform::FirstButton(int32_t style) {
  switch (style & 0xF) {
    case 2:  // Abort, Retry, Ignore
      return 3;
    case 3:  // Yes, No, Cancel
    case mb::kYesNo:
      return mb::kAnswerYes;
    case 5:  // Retry, Cancel
      return 4;
    default:  // OK, OK/Cancel
      return mb::kAnswerOk;
  }
}

std::vector<std::string> ScriptedPlatform::LogEntriesOf(const std::string& logFile) const {
  const auto found = logEntries_.find(logFile);
  return found == logEntries_.end() ? std::vector<std::string>{} : found->second;
}

int32_t ScriptedPlatform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  messages_.push_back({std::string(text), std::string(title), style});
  const int32_t answer = Next(messageAnswers_, FirstButton(style));
  log_.push_back("MsgBox " + std::to_string(style) + " " + std::string(title) + ": " +
                 std::string(text) + " -> " + std::to_string(answer));
  return answer;
}

void ScriptedPlatform::DoEvents() {
  ++doEvents_;
  log_.push_back("DoEvents");
}

void ScriptedPlatform::SetMousePointer(int32_t pointer) {
  pointer_ = pointer;
  pointers_.push_back(pointer);
  log_.push_back("MousePointer " + std::to_string(pointer));
}

void ScriptedPlatform::ClipboardClear() {
  clipboardText_.reset();
  clipboardBitmap_.reset();
  ++clipboardClears_;
  log_.push_back("ClipboardClear");
}

void ScriptedPlatform::ClipboardSetText(std::string_view text) {
  clipboardText_ = std::string(text);
  log_.push_back("ClipboardSetText " + std::string(text));
}

std::string ScriptedPlatform::ClipboardGetText() {
  log_.push_back("ClipboardGetText");
  return clipboardText_.value_or(std::string());
}

void ScriptedPlatform::ClipboardSetBitmap(int32_t resourceId) {
  clipboardText_.reset();
  clipboardBitmap_ = resourceId;
  log_.push_back("ClipboardSetBitmap " + std::to_string(resourceId));
}

ClipboardContent ScriptedPlatform::ClipboardSave() {
  log_.push_back("ClipboardSave");
  ClipboardContent content;
  if (clipboardText_) content.push_back({clipformat::kText, *clipboardText_});
  if (clipboardBitmap_) content.push_back({clipformat::kBitmap, std::to_string(*clipboardBitmap_)});
  return content;
}

void ScriptedPlatform::ClipboardRestore(const ClipboardContent& content) {
  log_.push_back("ClipboardRestore");
  clipboardText_.reset();
  clipboardBitmap_.reset();
  for (const ClipboardFormat& held : content) {
    if (held.format == clipformat::kText) clipboardText_ = held.data;
    if (held.format == clipformat::kBitmap) clipboardBitmap_ = std::stoi(held.data);
  }
}

std::string ScriptedPlatform::GetSetting(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view defaultValue) {
  log_.push_back("GetSetting " + std::string(app) + "\\" + std::string(section) + "\\" +
                 std::string(key));
  const auto found =
      settings_.find(SettingKey{std::string(app), std::string(section), std::string(key)});
  return found == settings_.end() ? std::string(defaultValue) : found->second;
}

void ScriptedPlatform::SaveSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view value) {
  log_.push_back("SaveSetting " + std::string(app) + "\\" + std::string(section) + "\\" +
                 std::string(key) + " = " + std::string(value));
  settings_[SettingKey{std::string(app), std::string(section), std::string(key)}] =
      std::string(value);
}

void ScriptedPlatform::DeleteSetting(std::string_view app, std::string_view section,
                                     std::string_view key) {
  log_.push_back("DeleteSetting " + std::string(app) + "\\" + std::string(section) + "\\" +
                 std::string(key));
  settings_.erase(SettingKey{std::string(app), std::string(section), std::string(key)});
}

void ScriptedPlatform::SetDriveType(std::string_view root, int32_t type) {
  driveTypes_[UpperAscii(root)] = type;
}

int32_t ScriptedPlatform::DriveType(std::string_view root) {
  log_.push_back("DriveType " + std::string(root));
  const auto found = driveTypes_.find(UpperAscii(root));
  return found == driveTypes_.end() ? defaultDriveType_ : found->second;
}

void ScriptedPlatform::AnswerShellExecute(std::initializer_list<int32_t> answers) {
  shellAnswers_.insert(shellAnswers_.end(), answers.begin(), answers.end());
}

int32_t ScriptedPlatform::ShellExecuteFile(intptr_t window, std::string_view verb,
                                           std::string_view file, std::string_view parameters,
                                           std::string_view directory, int32_t showCommand) {
  shellCalls_.push_back({window, std::string(verb), std::string(file), std::string(parameters),
                         std::string(directory), showCommand});
  const int32_t answer = Next(shellAnswers_, kDefaultShellAnswer);
  log_.push_back("ShellExecuteFile " + std::string(verb) + " " + std::string(file) + " -> " +
                 std::to_string(answer));
  return answer;
}

std::string ScriptedPlatform::PrinterDeviceName() {
  log_.push_back("PrinterDeviceName");
  if (!printer_) {
    throw VbError(kPrinterError,
                  "Printer error: Problem getting printer information from the system. Make sure "
                  "the printer is set up correctly.");
  }
  return *printer_;
}

void ScriptedPlatform::PrintDocument(std::string_view text, int32_t scaleMode, float currentY) {
  log_.push_back("PrintDocument " + std::to_string(scaleMode));
  if (!printer_) throw VbError(kPrinterError);
  printed_.push_back({std::string(text), scaleMode, currentY});
}

int32_t ScriptedPlatform::SpecialFolderLocation(intptr_t, int32_t folder, intptr_t& item) {
  const auto found = specialFolders_.find(folder);
  if (found != specialFolders_.end()) folderItems_[item = ++lastFolderItem_] = found->second;
  log_.push_back("SpecialFolderLocation " + std::to_string(folder) + " -> " +
                 (found == specialFolders_.end() ? "failed" : std::to_string(item)));
  return found == specialFolders_.end() ? kNoSuchSpecialFolder : 0;
}

intptr_t ScriptedPlatform::BrowseForFolderDialog(const FolderDialogRequest& request) {
  log_.push_back("BrowseForFolderDialog " + std::to_string(request.owner) + " " + request.title);
  request.callback(kFolderDialogWindow, kInitialized, 0, request.callbackData);
  request.callback(kFolderDialogWindow, kSelectionChanged, 0, request.callbackData);
  if (folderChoices_.empty()) return 0;
  folderItems_[++lastFolderItem_] = folderChoices_.front();
  folderChoices_.pop_front();
  return lastFolderItem_;
}

std::optional<std::string> ScriptedPlatform::PathFromFolderItem(intptr_t item) {
  const std::optional<std::string> path = folderItems_.at(item);
  return path ? std::optional(*path + std::string(260 - path->size(), '\0')) : std::nullopt;
}

void ScriptedPlatform::FreeFolderItem(intptr_t item) {
  log_.push_back("FreeFolderItem " + std::to_string(item));
  folderItems_.erase(item);
}

intptr_t ScriptedPlatform::SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                                             intptr_t lParam) {
  const std::string parameter = wParam != 0 && lParam != 0
                                    ? std::string(reinterpret_cast<const char*>(lParam))
                                    : std::to_string(lParam);
  log_.push_back("SendWindowMessage " + std::to_string(window) + " " + std::to_string(message) +
                 " " + std::to_string(wParam) + " " + parameter);
  return 0;
}

std::string ScriptedPlatform::CompactPath(intptr_t, std::string_view path, int32_t widthPixels) {
  return std::to_string(widthPixels) + ":" + std::string(path) + '\0';
}

VersionRecord ScriptedPlatform::Version() {
  log_.push_back("Version");
  return version_;
}

NameAnswer ScriptedPlatform::UserName() {
  log_.push_back("UserName");
  return userName_;
}

NameAnswer ScriptedPlatform::ComputerName() {
  log_.push_back("ComputerName");
  return computerName_;
}

void ScriptedPlatform::LogEvent(std::string_view logFile, std::string_view text) {
  log_.push_back("LogEvent " + std::string(logFile));
  logEntries_[std::string(logFile)].push_back(std::string(text));
  if (!appendLogToFiles_) return;
  Files().AppendText(std::string(logFile), text);
}

}  // namespace zarvelin::fakes
