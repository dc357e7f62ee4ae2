#pragma once

#include <memory>

#include "addin/Connect.h"
#include "win32/AddInSession.h"
#include "win32/ComObject.h"
#include "win32/ComServer.h"
#include "win32/Extensibility.h"
#include "win32/LateBoundIde.h"

namespace zarvelin::win32 {

// The COM object the IDE creates: IDTExtensibility2 by vtable and by name, each event handed to
// the add-in with the IDE's objects behind their adapters. No exception leaves a method: a failure
// becomes the HRESULT VB would see for it.
class ComConnect final : public ComDispatch<IDTExtensibility2>, private ServerObject {
 public:
  ComConnect() = default;

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override;

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                         IDispatch* addInInst, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  void* Find(REFIID iid) override;

  // Windows' services for the add-in, from its connection to its disconnection; declared first so
  // that the add-in's windows go before the backend that made them.
  std::unique_ptr<AddInSession> session_;
  // The add-in keeps a plain pointer to the IDE object, so its adapter lives here, as long as the
  // add-in may use it.
  std::unique_ptr<LateBoundVbe> vbe_;
  Connect connect_;
};

}  // namespace zarvelin::win32
