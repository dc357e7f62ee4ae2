#include "copy/ConnectAddIn.h"

#include <memory>

#include "copy/CopyTexts.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"

namespace zarvelin::copy {

bool ConnectAddIn(ide::VBE& vbe, const std::string& sProgId, bool bConnect) {
  bool result = false;
  Trap(kModule, "ConnectAddIn", [&](Erl& erl) {
    erl = 10;
    ide::AddIns& addIns = vbe.Addins();
    for (int32_t i = 1; i <= addIns.Count(); ++i) {
      erl = 20;
      const std::shared_ptr<ide::AddIn> addIn = addIns.Item(i);
      if (!EqualNoCase(addIn->ProgId(), sProgId)) continue;
      erl = 30;
      result = addIn->Connect();
      addIn->SetConnect(bConnect);
      if (!bConnect) result = true;
      return;
    }
  });
  return result;
}

}  // namespace zarvelin::copy
