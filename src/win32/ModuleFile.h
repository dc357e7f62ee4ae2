#pragma once

#include <windows.h>

#include <string>

namespace zarvelin::win32 {

// The file a module was loaded from (nullptr: the running program), however long its path;
// empty when the system does not say.
std::wstring ModuleFileName(HMODULE module);

}  // namespace zarvelin::win32
