#pragma once

#include <windows.h>

#include <cstddef>

namespace zarvelin::win32 {

// While it lives, the console shows the program's output as UTF-8, the text it holds inside, so
// any project or folder name reads right whatever the console's own code page. The console is
// shared with the shell that started the program: its code page is put back at the end.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;
};

// Whether the file handle writes to a console window rather than a file or a pipe.
bool IsConsole(DWORD standardHandle);

// The columns of the console window standard output shows in; 80 when it goes to a file or pipe.
size_t ConsoleWidth();

}  // namespace zarvelin::win32
