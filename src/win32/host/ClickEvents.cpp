#include "win32/host/ClickEvents.h"

#include <utility>

namespace zarvelin::host {
namespace {

// The played IDE's own click events interface: sinks are asked for it, or for IDispatch.
// {5C1E2F47-8B0D-4E55-9A3B-2D6F1E7C9A10}
constexpr IID kClickEventsIid = {
    0x5c1e2f47, 0x8b0d, 0x4e55, {0x9a, 0x3b, 0x2d, 0x6f, 0x1e, 0x7c, 0x9a, 0x10}};
constexpr DISPID kClickDispid = 1;

// Hands out the container's one connection point, once.
class OnePoint final : public IEnumConnectionPoints {
 public:
  explicit OnePoint(IConnectionPoint* point) : point_(point) { point_->AddRef(); }
  ~OnePoint() { point_->Release(); }
  OnePoint(const OnePoint&) = delete;
  OnePoint& operator=(const OnePoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
      *object = static_cast<IEnumConnectionPoints*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, IConnectionPoint** points, ULONG* fetched) override {
    if (points == nullptr) return E_POINTER;
    ULONG given = 0;
    if (wanted > 0 && !done_) {
      points[0] = point_;
      point_->AddRef();
      done_ = true;
      given = 1;
    }
    if (fetched != nullptr) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (count > 0) done_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    done_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override {
    if (copy == nullptr) return E_POINTER;
    auto* made = new OnePoint(point_);
    made->done_ = done_;
    *copy = made;
    return S_OK;
  }

 private:
  long references_ = 1;
  IConnectionPoint* point_;
  bool done_ = false;
};

}  // namespace

ClickEvents::ClickEvents(std::shared_ptr<ide::CommandBarEvents> subscription,
                         std::function<IDispatch*()> clicked)
    : DispatchObject({}), subscription_(std::move(subscription)), clicked_(std::move(clicked)) {
  subscription_->SetClickHandler([this](ide::CommandBarControl&, bool& handled,
                                        bool& cancelDefault) { Fire(handled, cancelDefault); });
}

ClickEvents::~ClickEvents() {
  subscription_->SetClickHandler({});
  for (auto& [cookie, sink] : sinks_) sink->Release();
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

HRESULT ClickEvents::QueryOther(REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else if (IsEqualIID(iid, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT ClickEvents::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points == nullptr) return E_POINTER;
  *points = new OnePoint(static_cast<IConnectionPoint*>(this));
  return S_OK;
}

HRESULT ClickEvents::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, kClickEventsIid)) return CONNECT_E_NOCONNECTION;
  *point = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ClickEvents::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = kClickEventsIid;
  return S_OK;
}

HRESULT ClickEvents::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = static_cast<IConnectionPointContainer*>(this);
  AddRef();
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

HRESULT ClickEvents::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

void ClickEvents::Fire(bool& handled, bool& cancelDefault) {
  // A sink may unadvise while it hears the click, and drop the last hold on these events: walk a
  // copy, each sink and this object kept alive.
  AddRef();
  std::map<DWORD, IDispatch*> sinks = sinks_;
  for (auto& [cookie, sink] : sinks) sink->AddRef();
  for (auto& [cookie, sink] : sinks) {
    VARIANT_BOOL handledFlag = handled ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL cancelFlag = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT arguments[3];
    // IDispatch takes them last first: CancelDefault, handled, the control.
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BOOL | VT_BYREF;
    arguments[0].pboolVal = &cancelFlag;
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_BOOL | VT_BYREF;
    arguments[1].pboolVal = &handledFlag;
    VariantInit(&arguments[2]);
    arguments[2].vt = VT_DISPATCH;
    arguments[2].pdispVal = clicked_();
    DISPPARAMS parameters{arguments, nullptr, 3, 0};
    sink->Invoke(kClickDispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                 nullptr, nullptr);
    VariantClear(&arguments[2]);
    handled = handledFlag != VARIANT_FALSE;
    cancelDefault = cancelFlag != VARIANT_FALSE;
  }
  for (auto& [cookie, sink] : sinks) sink->Release();
  Release();
}

}  // namespace zarvelin::host
