#include "ScriptedPlatform.h"

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

// The run time's answer when no printer is set up.
constexpr int32_t kPrinterError = 484;

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
}

void ScriptedPlatform::ClipboardSetText(std::string_view text) {
  Call("ClipboardSetText " + Quoted(text));
  clipboard = std::string(text);
}

std::string ScriptedPlatform::ClipboardGetText() {
  log_.push_back("ClipboardGetText");
  return clipboard.value_or(std::string());
}

void ScriptedPlatform::ClipboardSetBitmap(int32_t resourceId) {
  log_.push_back("ClipboardSetBitmap " + std::to_string(resourceId));
}

std::string ScriptedPlatform::GetSetting(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view defaultValue) {
  const std::string name = std::string(app) + "\\" + std::string(section) + "\\" + std::string(key);
  log_.push_back("GetSetting " + name);
  const auto found = settings.find(name);
  return found == settings.end() ? std::string(defaultValue) : found->second;
}

void ScriptedPlatform::SaveSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view value) {
  const std::string name = std::string(app) + "\\" + std::string(section) + "\\" + std::string(key);
  log_.push_back("SaveSetting " + name + " = " + Quoted(value));
  settings[name] = std::string(value);
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

void ScriptedPlatform::LogEvent(std::string_view logFile, std::string_view text) {
  Call("LogEvent " + std::string(logFile) + " " + Quoted(text));
}

}  // namespace zarvelin::fakes
