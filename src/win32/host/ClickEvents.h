#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <map>
#include <memory>

#include "ide/Vbide.h"
#include "win32/host/DispatchObject.h"

namespace zarvelin::host {

// The events object the IDE gives for one command-bar control (Events.CommandBarEvents): a
// connection point container with one point, whose advised sinks hear each click of the control
// as Click(CommandBarControl, handled, CancelDefault) by IDispatch, as VB's event sinks do.
// The point holds the container, so an add-in that keeps only the point keeps the events.
class ClickEvents final : public DispatchObject,
                          public IConnectionPointContainer,
                          public IConnectionPoint {
 public:
  // subscription: the file-backed IDE's event source for the control; clicked: the control as an
  // object of the played IDE, made anew for each click.
  ClickEvents(std::shared_ptr<ide::CommandBarEvents> subscription,
              std::function<IDispatch*()> clicked);
  ~ClickEvents() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

 protected:
  HRESULT QueryOther(REFIID iid, void** object) override;

 private:
  void Fire(bool& handled, bool& cancelDefault);

  std::shared_ptr<ide::CommandBarEvents> subscription_;
  std::function<IDispatch*()> clicked_;
  std::map<DWORD, IDispatch*> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace zarvelin::host
