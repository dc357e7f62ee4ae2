#pragma once

#include <windows.h>

#include <string>

#include "runtime/App.h"

namespace zarvelin::win32 {

// The file a module was loaded from (nullptr: the running program), however long its path;
// empty when the system does not say.
std::wstring ModuleFileName(HMODULE module);

// The App facts of a module (nullptr: the running program): App.Path, its directory (a drive's
// root keeps its backslash), and App.EXEName, its base name.
AppFacts ModuleAppFacts(HMODULE module);

}  // namespace zarvelin::win32
