#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "win32/Win32Platform.h"

namespace zarvelin::win32 {

// Windows' services for a program run from a console or a script: everything is the system's
// own (VB's settings in the registry, the clipboard, drives, the version record), except that a
// message box is written to standard error and answered at once, as nobody may be there to
// press its button.
class ConsolePlatform : public Win32Platform {
 public:
  // yesNoAnswer: the answer to Yes/No questions; desktop: whether the clipboard and mail are the
  // desktop's (otherwise text put on the clipboard stays in the program and no mail opens).
  ConsolePlatform(FileSystem& files, HMODULE resources, int32_t yesNoAnswer, bool desktop,
                  std::FILE* messages);

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override;
  void ClipboardClear() override;
  void ClipboardSetText(std::string_view text) override;
  std::string ClipboardGetText() override;
  int32_t ShellExecuteFile(intptr_t window, std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory,
                           int32_t showCommand) override;
  // The log's folder under the user's local application data is made on its first entry.
  void LogEvent(std::string_view logFile, std::string_view text) override;

 private:
  int32_t yesNoAnswer_;
  bool desktop_;
  std::string clipboardText_;
  std::FILE* messages_;
};

}  // namespace zarvelin::win32
