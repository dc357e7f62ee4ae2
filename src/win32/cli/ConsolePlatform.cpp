#include "win32/cli/ConsolePlatform.h"

#include <string>

#include "console/MessageBoxText.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {

ConsolePlatform::ConsolePlatform(FileSystem& files, HMODULE resources, int32_t yesNoAnswer,
                                 bool desktop, std::FILE* messages)
    : Win32Platform(files, resources),
      yesNoAnswer_(yesNoAnswer),
      desktop_(desktop),
      messages_(messages) {}

int32_t ConsolePlatform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  const int32_t answer = console::UnattendedAnswer(style, yesNoAnswer_);
  const std::string shown = console::MessageBoxText(title, text, style, answer);
  std::fwrite(shown.data(), 1, shown.size(), messages_);
  std::fflush(messages_);
  return answer;
}

void ConsolePlatform::ClipboardClear() {
  if (desktop_) return Win32Platform::ClipboardClear();
  clipboardText_.clear();
}

void ConsolePlatform::ClipboardSetText(std::string_view text) {
  if (desktop_) return Win32Platform::ClipboardSetText(text);
  clipboardText_ = text;
}

std::string ConsolePlatform::ClipboardGetText() {
  return desktop_ ? Win32Platform::ClipboardGetText() : clipboardText_;
}

int32_t ConsolePlatform::ShellExecuteFile(intptr_t window, std::string_view verb,
                                          std::string_view file, std::string_view parameters,
                                          std::string_view directory, int32_t showCommand) {
  // SE_ERR_NOASSOC: without the desktop, a mailto: link has nothing to open it.
  constexpr int32_t kNoAssociation = 31;
  if (!desktop_ && file.substr(0, 7) == "mailto:") return kNoAssociation;
  return Win32Platform::ShellExecuteFile(window, verb, file, parameters, directory, showCommand);
}

void ConsolePlatform::LogEvent(std::string_view logFile, std::string_view text) {
  const std::wstring path = Wide(logFile);
  const size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  Win32Platform::LogEvent(logFile, text);
}

}  // namespace zarvelin::win32
