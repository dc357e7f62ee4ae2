#pragma once

#include <windows.h>

namespace zarvelin::win32 {

// The one reference count and QueryInterface of the DLL's and the test host's COM objects. An
// object starts with the one reference its maker holds and deletes itself with its last Release;
// it answers IUnknown and each interface Find gives it for.
template <class Primary>
class ComObject : public Primary {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = IsEqualIID(iid, IID_IUnknown) ? static_cast<Primary*>(this) : Find(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  // This object as the interface iid names, beyond IUnknown; nullptr when it is not one.
  virtual void* Find(REFIID iid) = 0;

 private:
  long references_ = 1;
};

// An IDispatch object that is reached by names alone: it has no type information to give.
template <class Primary>
class ComDispatch : public ComObject<Primary> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }

 protected:
  ComDispatch() = default;
};

}  // namespace zarvelin::win32
