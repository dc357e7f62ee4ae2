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

size_t ConsoleWidth() {
  constexpr size_t kNoConsole = 80;
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &screen)) return kNoConsole;
  return static_cast<size_t>(screen.srWindow.Right - screen.srWindow.Left + 1);
}

bool IsConsole(DWORD standardHandle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

}  // namespace zarvelin::win32
