// The four entry points of an in-process COM server; the DLL exports these and nothing else.
#include <olectl.h>
#include <windows.h>

#include "win32/ComServer.h"
#include "win32/Registration.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Thread notifications stay on: the static C++ run time cleans up its threads' data on them.
  if (reason == DLL_PROCESS_ATTACH) zarvelin::win32::SetModule(instance);
  return TRUE;
}

// Registration builds strings; running out of memory there must not cross into regsvr32.
STDAPI DllRegisterServer() try {
  const std::wstring path = zarvelin::win32::ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  const HRESULT result = zarvelin::win32::RegisterServer(path);
  // A half-written registration would point the IDE at a class it cannot load.
  if (FAILED(result)) zarvelin::win32::UnregisterServer();
  return FAILED(result) ? SELFREG_E_CLASS : S_OK;
} catch (...) {
  return E_OUTOFMEMORY;
}

STDAPI DllUnregisterServer() try {
  return FAILED(zarvelin::win32::UnregisterServer()) ? SELFREG_E_CLASS : S_OK;
} catch (...) {
  return E_OUTOFMEMORY;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, zarvelin::win32::kConnectClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return zarvelin::win32::GetConnectFactory(iid, object);
}

STDAPI DllCanUnloadNow() {
  return zarvelin::win32::ServerCounts::InUse() ? S_FALSE : S_OK;
}
