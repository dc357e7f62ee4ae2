#pragma once

#include <windows.h>

#include <string>

namespace zarvelin::win32 {

// Writes the class (InprocServer32 at modulePath, apartment threaded), its ProgID, and the IDE's
// add-in key that makes the Add-In Manager list it. Stops at the first failure and answers it.
HRESULT RegisterServer(const std::wstring& modulePath);
// Removes all that RegisterServer writes; keys that are already gone are no failure.
HRESULT UnregisterServer();

}  // namespace zarvelin::win32
