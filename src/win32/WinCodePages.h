#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/CodePage.h"

namespace zarvelin::win32 {

// Code pages through Windows' own conversion (MultiByteToWideChar / WideCharToMultiByte), named by
// their numbers ("932", "1251" ...), as VB's run time converts at every file it reads or writes.
class WinCodePages : public CodePages {
 public:
  std::unique_ptr<CodePage> Open(const std::string& name) const override;
};

// The system's ANSI code page, which VB on this machine reads and writes project files in.
std::unique_ptr<CodePage> SystemCodePage();

}  // namespace zarvelin::win32
