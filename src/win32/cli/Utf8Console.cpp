#include "win32/cli/Utf8Console.h"

namespace zarvelin::win32 {

Utf8Console::Utf8Console() : previous_(GetConsoleOutputCP()) {
  // Without a console (output to a file or a pipe) there is nothing to set: the bytes go as
  // they are, UTF-8.
  if (previous_ != 0) SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
  if (previous_ != 0) SetConsoleOutputCP(previous_);
}

bool IsConsole(DWORD standardHandle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

}  // namespace zarvelin::win32
