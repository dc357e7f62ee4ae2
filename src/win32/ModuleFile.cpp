#include "win32/ModuleFile.h"

#include "win32/WideText.h"

namespace zarvelin::win32 {

std::wstring ModuleFileName(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer may hold a truncated name: ask again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

AppFacts ModuleAppFacts(HMODULE module) {
  const std::wstring path = ModuleFileName(module);
  const size_t slash = path.find_last_of(L'\\');
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  AppFacts facts;
  if (slash != std::wstring::npos)
    facts.path = Narrow(path.substr(0, slash == 2 ? slash + 1 : slash));
  facts.exeName = Narrow(name.substr(0, name.find_last_of(L'.')));
  return facts;
}

}  // namespace zarvelin::win32
