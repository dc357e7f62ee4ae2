#include "win32/cli/ConsoleSession.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "win32/ModuleFile.h"
#include "win32/WideText.h"
#include "win32/cli/Utf8Console.h"

namespace zarvelin::win32 {
namespace {

// App.Path and App.EXEName: the program's directory, and the name the about box looks for
// beside it (Zarvelin.dll when the add-in lies there too, otherwise this program).
AppFacts ProgramFacts() {
  AppFacts facts = ModuleAppFacts(nullptr);
  facts.exeName = "Zarvelin";
  // A program installed under Program Files cannot write beside itself: the report goes to the
  // user's own local application data.
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local && *local)
    facts.errorLog = Narrow(std::wstring(local) + L"\\Zarvelin\\Error.log");
  return facts;
}

}  // namespace

ConsoleSession::ConsoleSession(int32_t yesNoAnswer, bool desktop)
    : platform_(files_, GetModuleHandleW(nullptr), yesNoAnswer, desktop, stderr),
      windows_(stderr, IsConsole(STD_ERROR_HANDLE)),
      session_(app::Services{files_, clock_, ProgramFacts(), platform_, windows_}) {}

std::string ConsoleSession::ToVb(const std::string& typed) {
  // Nothing typed names no file, never the current directory.
  if (typed.empty()) return typed;
  return Narrow(FullPath(Wide(typed)));
}

std::string ConsoleSession::ProgramFile() {
  return Narrow(ModuleFileName(nullptr));
}

}  // namespace zarvelin::win32
