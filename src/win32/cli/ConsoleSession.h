#pragma once

#include <cstdint>
#include <string>

#include "app/Session.h"
#include "console/HeadlessWindows.h"
#include "platform/Platform.h"
#include "win32/WinClock.h"
#include "win32/WinFileSystem.h"
#include "win32/cli/ConsolePlatform.h"

namespace zarvelin::win32 {

// zarvelin.exe's run: Windows' own files under their native names, the system clock and services,
// with message boxes and windows as text on the console, wired through the one Session.
class ConsoleSession {
 public:
  // yesNoAnswer: the answer to the questions message boxes ask; desktop: whether the clipboard
  // and mail are the desktop's.
  explicit ConsoleSession(int32_t yesNoAnswer = mb::kAnswerNo, bool desktop = false);
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

  // The VB path of a path typed on the command line: Windows paths are VB paths once complete,
  // so a relative one is completed from the current directory, and `/` becomes `\`.
  static std::string ToVb(const std::string& typed);
  // The running program's file.
  static std::string ProgramFile();

 private:
  WinFileSystem files_;
  WinClock clock_;
  ConsolePlatform platform_;
  console::HeadlessWindows windows_;
  app::Session session_;
};

}  // namespace zarvelin::win32
