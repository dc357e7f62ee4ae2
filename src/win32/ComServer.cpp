#include "win32/ComServer.h"

#include <atomic>
#include <new>

#include "win32/ComConnect.h"
#include "win32/ModuleFile.h"

namespace zarvelin::win32 {
namespace {

std::atomic<long> objects{0};
std::atomic<long> locks{0};
HMODULE module = nullptr;

// The factory lives as long as the DLL: its own references do not count, only LockServer does.
class ConnectFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    ComConnect* connect = new (std::nothrow) ComConnect();
    if (connect == nullptr) return E_OUTOFMEMORY;
    // The first QueryInterface takes the only reference: a refused interface frees the object.
    connect->AddRef();
    const HRESULT result = connect->QueryInterface(iid, object);
    connect->Release();
    return result;
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ServerCounts::Lock();
    } else {
      ServerCounts::Unlock();
    }
    return S_OK;
  }
};

ConnectFactory factory;

}  // namespace

void ServerCounts::ObjectCreated() {
  ++objects;
}
void ServerCounts::ObjectDestroyed() {
  --objects;
}
void ServerCounts::Lock() {
  ++locks;
}
void ServerCounts::Unlock() {
  --locks;
}
bool ServerCounts::InUse() {
  return objects > 0 || locks > 0;
}

void SetModule(HMODULE handle) {
  module = handle;
}

HMODULE Module() {
  return module;
}

std::wstring ModulePath() {
  return ModuleFileName(module);
}

HRESULT GetConnectFactory(REFIID iid, void** object) {
  return factory.QueryInterface(iid, object);
}

}  // namespace zarvelin::win32
