#include "win32/AddInSession.h"

#include "win32/ModuleFile.h"

namespace zarvelin::win32 {

AddInSession::AddInSession(HMODULE module)
    : platform_(files_, module),
      windows_(module),
      codePage_(SystemCodePage()),
      codePageService_(*codePage_),
      session_(app::Services{files_, clock_, ModuleAppFacts(module), platform_, windows_}) {}

}  // namespace zarvelin::win32
