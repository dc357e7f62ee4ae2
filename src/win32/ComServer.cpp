#include "win32/ComServer.h"

#include <atomic>
#include <new>

#include "addin/CallFrame.h"
#include "win32/ComConnect.h"
#include "win32/ComObject.h"
#include "win32/ModuleFile.h"

namespace zarvelin::win32 {
namespace {

std::atomic<long> objects{0};
std::atomic<long> locks{0};
HMODULE module = nullptr;

// The factory lives as long as the DLL: its own references do not count, only LockServer does.
class ConnectFactory final : public ComObject<IClassFactory> {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    ComConnect* connect = new (std::nothrow) ComConnect();
    if (connect == nullptr) return E_OUTOFMEMORY;
    // The caller's reference comes from QueryInterface: a refused interface frees the object.
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

 private:
  void* Find(REFIID iid) override {
    return IsEqualIID(iid, IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
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
  // The add-in's code may be on the stack below a message loop that asks this.
  return objects > 0 || locks > 0 || CallFrame::Active();
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
