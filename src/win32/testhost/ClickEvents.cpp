#include "win32/testhost/ClickEvents.h"

#include <utility>

namespace zarvelin::testhost {
namespace {

// _dispCommandBarControlEvents, the interface of Click: sinks are asked for it, or for IDispatch.
// {0002E131-0000-0000-C000-000000000046}
constexpr IID kClickEventsIid = {
    0x0002e131, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kClickDispid = 1;

}  // namespace

// The events object's one connection point, an object of its own: held after the events object
// has gone, it connects nothing more.
class ClickPoint final : public win32::ComObject<IConnectionPoint> {
 public:
  explicit ClickPoint(ClickEvents* events) : events_(events) {}
  void EventsGone() { events_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = kClickEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (container == nullptr) return E_POINTER;
    *container = events_;
    if (events_ == nullptr) return E_UNEXPECTED;
    events_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    return events_ == nullptr ? CONNECT_E_CANNOTCONNECT : events_->Advise(sink, cookie);
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return events_ == nullptr ? CONNECT_E_NOCONNECTION : events_->Unadvise(cookie);
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
    if (connections != nullptr) *connections = nullptr;
    return E_NOTIMPL;
  }

 private:
  void* Find(REFIID iid) override {
    return IsEqualIID(iid, IID_IConnectionPoint) ? static_cast<IConnectionPoint*>(this) : nullptr;
  }

  ClickEvents* events_;
};

ClickEvents::ClickEvents(std::shared_ptr<ide::CommandBarEvents> subscription,
                         std::function<IDispatch*()> clicked, bool flagsInVariants)
    : DispatchObject({}),
      subscription_(std::move(subscription)),
      clicked_(std::move(clicked)),
      flagsInVariants_(flagsInVariants),
      point_(new ClickPoint(this)) {
  subscription_->SetClickHandler([this](ide::CommandBarControl&, bool& handled,
                                        bool& cancelDefault) { Fire(handled, cancelDefault); });
}

ClickEvents::~ClickEvents() {
  subscription_->SetClickHandler({});
  for (auto& [cookie, sink] : sinks_) sink->Release();
  point_->EventsGone();
  point_->Release();
}

HRESULT ClickEvents::QueryInterface(REFIID iid, void** object) {
  return DispatchObject::QueryInterface(iid, object);
}

ULONG ClickEvents::AddRef() {
  return DispatchObject::AddRef();
}

ULONG ClickEvents::Release() {
  return DispatchObject::Release();
}

void* ClickEvents::Find(REFIID iid) {
  if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    return static_cast<IConnectionPointContainer*>(this);
  }
  return DispatchObject::Find(iid);
}

// An IDE need not list its points; the add-in asks for the one it wants by its interface.
HRESULT ClickEvents::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT ClickEvents::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, kClickEventsIid)) return CONNECT_E_NOCONNECTION;
  *point = point_;
  point_->AddRef();
  return S_OK;
}

HRESULT ClickEvents::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  IDispatch* events = nullptr;
  if (FAILED(sink->QueryInterface(kClickEventsIid, reinterpret_cast<void**>(&events)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = nextCookie_++;
  sinks_[*cookie] = events;
  return S_OK;
}

HRESULT ClickEvents::Unadvise(DWORD cookie) {
  const auto found = sinks_.find(cookie);
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  IDispatch* sink = found->second;
  sinks_.erase(found);
  sink->Release();
  return S_OK;
}

void ClickEvents::Fire(bool& handled, bool& cancelDefault) {
  // A sink may unadvise while it hears the click, and drop the last hold on these events: walk a
  // copy, each sink and this object kept alive.
  AddRef();
  std::map<DWORD, IDispatch*> sinks = sinks_;
  for (auto& [cookie, sink] : sinks) sink->AddRef();
  for (auto& [cookie, sink] : sinks) {
    VARIANT flags[2];
    VARIANT_BOOL cancelFlag = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL handledFlag = handled ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT arguments[3];
    // IDispatch takes them last first: CancelDefault, handled, the control.
    for (VARIANT_BOOL* flag : {&cancelFlag, &handledFlag}) {
      const size_t index = flag == &cancelFlag ? 0 : 1;
      VariantInit(&arguments[index]);
      if (flagsInVariants_) {
        VariantInit(&flags[index]);
        flags[index].vt = VT_BOOL;
        flags[index].boolVal = *flag;
        arguments[index].vt = VT_VARIANT | VT_BYREF;
        arguments[index].pvarVal = &flags[index];
      } else {
        arguments[index].vt = VT_BOOL | VT_BYREF;
        arguments[index].pboolVal = flag;
      }
    }
    VariantInit(&arguments[2]);
    arguments[2].vt = VT_DISPATCH;
    arguments[2].pdispVal = clicked_();
    DISPPARAMS parameters{arguments, nullptr, 3, 0};
    sink->Invoke(kClickDispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                 nullptr, nullptr);
    VariantClear(&arguments[2]);
    if (flagsInVariants_) {
      cancelFlag = flags[0].boolVal;
      handledFlag = flags[1].boolVal;
    }
    handled = handledFlag != VARIANT_FALSE;
    cancelDefault = cancelFlag != VARIANT_FALSE;
  }
  for (auto& [cookie, sink] : sinks) sink->Release();
  Release();
}

}  // namespace zarvelin::testhost
