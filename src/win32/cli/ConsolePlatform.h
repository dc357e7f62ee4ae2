#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "win32/Win32Platform.h"

namespace zarvelin::win32 {

// Windows' services for a program run from a console or a script: everything is the system's
// own (VB's settings in the registry, the clipboard, drives, the version record), except that a
// message box is written to standard error and answered at once, as nobody may be there to
// press its button.
class ConsolePlatform : public Win32Platform {
 public:
  // yesNoAnswer: the answer to Yes/No questions.
  ConsolePlatform(FileSystem& files, HMODULE resources, int32_t yesNoAnswer, std::FILE* messages);

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override;

 private:
  int32_t yesNoAnswer_;
  std::FILE* messages_;
};

}  // namespace zarvelin::win32
