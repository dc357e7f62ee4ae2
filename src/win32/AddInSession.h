#pragma once

#include <windows.h>

#include <memory>

#include "app/Session.h"
#include "runtime/CodePage.h"
#include "runtime/Service.h"
#include "win32/Win32Platform.h"
#include "win32/Win32Windows.h"
#include "win32/WinClock.h"
#include "win32/WinCodePages.h"
#include "win32/WinFileSystem.h"

namespace zarvelin::win32 {

// What the add-in runs on while the IDE has it connected: Windows' files, services, windows and
// clock, wired through the one Session, with the module's directory as App.Path (where Error.log
// goes). Project files are read and written in the system's ANSI code page, as VB does.
class AddInSession {
 public:
  explicit AddInSession(HMODULE module);
  AddInSession(const AddInSession&) = delete;
  AddInSession& operator=(const AddInSession&) = delete;

 private:
  WinFileSystem files_;
  WinClock clock_;
  Win32Platform platform_;
  Win32Windows windows_;
  std::unique_ptr<CodePage> codePage_;
  ScopedService<const CodePage> codePageService_;
  app::Session session_;
};

}  // namespace zarvelin::win32
