#include "win32/AddInSession.h"

#include <string>

#include "win32/WideText.h"

namespace zarvelin::win32 {

AppFacts ModuleAppFacts(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  AppFacts facts;
  const size_t slash = path.find_last_of(L'\\');
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::wstring directory = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
  // App.Path keeps its backslash only at a drive's root.
  if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
  facts.path = Narrow(directory);
  facts.exeName = Narrow(name.substr(0, name.find_last_of(L'.')));
  return facts;
}

AddInSession::AddInSession(HMODULE module)
    : platform_(files_, module),
      windows_(module),
      codePage_(SystemCodePage()),
      codePageService_(*codePage_),
      session_(app::Services{files_, clock_, ModuleAppFacts(module), platform_, windows_}) {}

}  // namespace zarvelin::win32
