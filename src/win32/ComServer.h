#pragma once

#include <windows.h>

#include <string>

namespace zarvelin::win32 {

// The class the IDE creates, and the names it is registered under.
// {38E2B761-B571-4B06-BB17-4538DF03CBFF}
inline constexpr CLSID kConnectClsid = {
    0x38e2b761, 0xb571, 0x4b06, {0xbb, 0x17, 0x45, 0x38, 0xdf, 0x03, 0xcb, 0xff}};
inline constexpr wchar_t kProgId[] = L"Zarvelin.Connect";
inline constexpr wchar_t kClassDescription[] = L"Zarvelin";

// What keeps the DLL loaded: live objects, IClassFactory::LockServer locks and the add-in's code
// on the stack.
class ServerCounts {
 public:
  static void ObjectCreated();
  static void ObjectDestroyed();
  static void Lock();
  static void Unlock();
  static bool InUse();
};

// Counted among what keeps the DLL loaded for as long as it lives: every object the DLL hands out.
class ServerObject {
 protected:
  ServerObject() { ServerCounts::ObjectCreated(); }
  ~ServerObject() { ServerCounts::ObjectDestroyed(); }
  ServerObject(const ServerObject&) = delete;
  ServerObject& operator=(const ServerObject&) = delete;
};

// The DLL's own module, for its path (registration) and its resources (the entries' face).
void SetModule(HMODULE module);
HMODULE Module();
std::wstring ModulePath();

// The class factory of Connect; the caller owns the reference it is given.
HRESULT GetConnectFactory(REFIID iid, void** object);

}  // namespace zarvelin::win32
