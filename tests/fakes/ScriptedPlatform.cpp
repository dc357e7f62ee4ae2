#include "ScriptedPlatform.h"

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

// The run time's answer when no printer is set up.
constexpr int32_t kPrinterError = 484;
// The shell's answers and the folder dialog's window and callback messages.
constexpr int32_t kNoSuchSpecialFolder = static_cast<int32_t>(0x80004005u);
constexpr intptr_t kFolderDialogWindow = 0x7F00;
constexpr uint32_t kInitialized = 1;
constexpr uint32_t kSelectionChanged = 2;

int32_t Next(std::deque<int32_t>& queue, int32_t otherwise) {
  if (queue.empty()) return otherwise;
  const int32_t answer = queue.front();
  queue.pop_front();
  return answer;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

void ScriptedPlatform::Call(const std::string& line) {
  log_.push_back(line);
  const auto failure = failing.find(line.substr(0, line.find(' ')));
  if (failure != failing.end()) throw VbError(failure->second);
}

VersionRecord ScriptedPlatform::Version() {
  Call("Version");
  return version;
}

NameAnswer ScriptedPlatform::UserName() {
  Call("UserName");
  return userName;
}

NameAnswer ScriptedPlatform::ComputerName() {
  Call("ComputerName");
  return computerName;
}

int32_t ScriptedPlatform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  const int32_t firstButton = (style & 0xF) == mb::kYesNo ? mb::kAnswerYes : mb::kAnswerOk;
  const int32_t answer = Next(messageAnswers, firstButton);
  Call("MsgBox " + std::to_string(style) + " " + std::string(title) + ": " + std::string(text) +
       " -> " + std::to_string(answer));
  return answer;
}

void ScriptedPlatform::SetMousePointer(int32_t pointer) {
  pointer_ = pointer;
  log_.push_back("MousePointer " + std::to_string(pointer));
}

void ScriptedPlatform::ClipboardClear() {
  Call("ClipboardClear");
  clipboard.reset();
  clipboardBitmap.reset();
}

void ScriptedPlatform::ClipboardSetText(std::string_view text) {
  Call("ClipboardSetText " + Quoted(text));
  clipboard = std::string(text);
  clipboardBitmap.reset();
}

std::string ScriptedPlatform::ClipboardGetText() {
  log_.push_back("ClipboardGetText");
  return clipboard.value_or(std::string());
}

void ScriptedPlatform::ClipboardSetBitmap(int32_t resourceId) {
  Call("ClipboardSetBitmap " + std::to_string(resourceId));
  clipboard.reset();
  clipboardBitmap = resourceId;
}

ClipboardContent ScriptedPlatform::ClipboardSave() {
  Call("ClipboardSave");
  ClipboardContent content;
  if (clipboard) content.push_back({clipformat::kText, *clipboard});
  if (clipboardBitmap) content.push_back({clipformat::kBitmap, std::to_string(*clipboardBitmap)});
  return content;
}

void ScriptedPlatform::ClipboardRestore(const ClipboardContent& content) {
  Call("ClipboardRestore");
  clipboard.reset();
  clipboardBitmap.reset();
  for (const ClipboardFormat& held : content) {
    if (held.format == clipformat::kText) clipboard = held.data;
    if (held.format == clipformat::kBitmap) clipboardBitmap = std::stoi(held.data);
  }
}

std::string ScriptedPlatform::GetSetting(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view defaultValue) {
  const std::string name = std::string(app) + "\\" + std::string(section) + "\\" + std::string(key);
  Call("GetSetting " + name);
  const auto found = settings.find(name);
  return found == settings.end() ? std::string(defaultValue) : found->second;
}

void ScriptedPlatform::SaveSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view value) {
  const std::string name = std::string(app) + "\\" + std::string(section) + "\\" + std::string(key);
  Call("SaveSetting " + name + " = " + Quoted(value));
  settings[name] = std::string(value);
}

void ScriptedPlatform::DeleteSetting(std::string_view app, std::string_view section,
                                     std::string_view key) {
  const std::string name = std::string(app) + "\\" + std::string(section) + "\\" + std::string(key);
  Call("DeleteSetting " + name);
  settings.erase(name);
}

int32_t ScriptedPlatform::DriveType(std::string_view root) {
  log_.push_back("DriveType " + std::string(root));
  const auto found = driveTypes.find(UpperAscii(root));
  return found == driveTypes.end() ? drive::kFixed : found->second;
}

int32_t ScriptedPlatform::ShellExecuteFile(intptr_t window, std::string_view verb,
                                           std::string_view file, std::string_view parameters,
                                           std::string_view directory, int32_t showCommand) {
  const int32_t answer = Next(shellAnswers, 42);
  Call("ShellExecuteFile " + std::to_string(window != 0) + " " + std::string(verb) + " " +
       Quoted(file) + " " + Quoted(parameters) + " " + Quoted(directory) + " " +
       std::to_string(showCommand) + " -> " + std::to_string(answer));
  return answer;
}

std::string ScriptedPlatform::PrinterDeviceName() {
  log_.push_back("PrinterDeviceName");
  if (!printer) throw VbError(kPrinterError, "Printer error");
  return *printer;
}

void ScriptedPlatform::PrintDocument(std::string_view text, int32_t scaleMode, float currentY) {
  Call("PrintDocument " + std::to_string(scaleMode) + " " + std::to_string(currentY) + "\n" +
       std::string(text));
}

int32_t ScriptedPlatform::SpecialFolderLocation(intptr_t, int32_t folder, intptr_t& item) {
  const auto found = specialFolders.find(folder);
  if (found != specialFolders.end()) folderItems_[item = ++lastFolderItem_] = found->second;
  log_.push_back("SpecialFolderLocation " + std::to_string(folder) + " -> " +
                 (found == specialFolders.end() ? "failed" : std::to_string(item)));
  return found == specialFolders.end() ? kNoSuchSpecialFolder : 0;
}

intptr_t ScriptedPlatform::BrowseForFolderDialog(const FolderDialogRequest& request) {
  Call("BrowseForFolderDialog " + std::to_string(request.owner != 0) + " " + request.title);
  request.callback(kFolderDialogWindow, kInitialized, 0, request.callbackData);
  request.callback(kFolderDialogWindow, kSelectionChanged, 0, request.callbackData);
  if (folderChoices.empty()) return 0;
  folderItems_[++lastFolderItem_] = folderChoices.front();
  folderChoices.pop_front();
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
  // A path handed by address (wParam not 0) is written as the text found there.
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

void ScriptedPlatform::LogEvent(std::string_view logFile, std::string_view text) {
  Call("LogEvent " + std::string(logFile) + " " + Quoted(text));
}

}  // namespace zarvelin::fakes
