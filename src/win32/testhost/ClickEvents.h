#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <map>
#include <memory>

#include "ide/Vbide.h"
#include "win32/testhost/DispatchObject.h"

namespace zarvelin::testhost {

class ClickPoint;

// The events object the IDE gives for one command-bar control (Events.CommandBarEvents): a
// connection point container whose one point, found by the interface _dispCommandBarControlEvents
// (it lists no points), lets sinks hear each click of the control as Click(CommandBarControl,
// handled, CancelDefault) by IDispatch, as VB's event sinks do. As strict as an IDE may be: the
// subscription ends when the events object is released, whoever still holds the point.
class ClickEvents final : public DispatchObject, public IConnectionPointContainer {
 public:
  // subscription: the file-backed IDE's event source for the control; clicked: the control as an
  // object of the played IDE, made anew for each click. flagsInVariants: the flags go as
  // VT_VARIANT|VT_BYREF around a VT_BOOL, as a caller with only variants passes them.
  ClickEvents(std::shared_ptr<ide::CommandBarEvents> subscription,
              std::function<IDispatch*()> clicked, bool flagsInVariants);
  ~ClickEvents() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // The point's work while this object lives.
  HRESULT Advise(IUnknown* sink, DWORD* cookie);
  HRESULT Unadvise(DWORD cookie);

 protected:
  void* Find(REFIID iid) override;

 private:
  void Fire(bool& handled, bool& cancelDefault);

  std::shared_ptr<ide::CommandBarEvents> subscription_;
  std::function<IDispatch*()> clicked_;
  bool flagsInVariants_;
  ClickPoint* point_;
  std::map<DWORD, IDispatch*> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace zarvelin::testhost
