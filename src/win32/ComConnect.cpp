#include "win32/ComConnect.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <type_traits>

#include "addin/CallFrame.h"
#include "runtime/VbError.h"

namespace zarvelin::win32 {
namespace {

struct Method {
  const wchar_t* name;
  DISPID id;
  UINT arguments;
};

constexpr Method kMethods[] = {
    {L"OnConnection", extensibility::kOnConnection, 4},
    {L"OnDisconnection", extensibility::kOnDisconnection, 2},
    {L"OnAddInsUpdate", extensibility::kOnAddInsUpdate, 1},
    {L"OnStartupComplete", extensibility::kOnStartupComplete, 1},
    {L"OnBeginShutdown", extensibility::kOnBeginShutdown, 1},
};

HRESULT AsHresult(const VbError& error) {
  // VB's own errors travel as FACILITY_CONTROL; an HRESULT that came in stays what it was.
  if (error.Number() < 0) return static_cast<HRESULT>(error.Number());
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number() & 0xFFFF);
}

// The boundary: nothing thrown inside an event reaches the caller of a COM method.
template <class Body>
HRESULT Guarded(Body&& body) {
  try {
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      return S_OK;
    } else {
      return body();
    }
  } catch (const VbError& error) {
    return AsHresult(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// An argument given by name, converted as VB would convert it.
HRESULT Argument(const DISPPARAMS& parameters, UINT position, VARTYPE type, Variant& value) {
  const UINT index = parameters.cArgs - 1 - position;
  return VariantChangeType(value.Raw(), &parameters.rgvarg[index], 0, type);
}

}  // namespace

void* ComConnect::Find(REFIID iid) {
  if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidExtensibility2)) {
    return static_cast<IDTExtensibility2*>(this);
  }
  return nullptr;
}

HRESULT ComConnect::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  // Only the method itself is named; its parameters are not.
  for (UINT index = 0; index < count; ++index) ids[index] = DISPID_UNKNOWN;
  for (const Method& method : kMethods) {
    if (CompareStringOrdinal(names[0], -1, method.name, -1, TRUE) == CSTR_EQUAL) {
      ids[0] = method.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT ComConnect::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*,
                           EXCEPINFO*, UINT* badArgument) {
  // The arguments' conversions run inside the boundary too.
  return Guarded([&]() -> HRESULT {
    if (parameters == nullptr) return E_INVALIDARG;
    if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    if (parameters->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    const auto method = std::find_if(std::begin(kMethods), std::end(kMethods),
                                     [id](const Method& known) { return known.id == id; });
    if (method == std::end(kMethods)) return DISP_E_MEMBERNOTFOUND;
    if (parameters->cArgs != method->arguments) return DISP_E_BADPARAMCOUNT;

    // The custom arguments come last and are read by nobody.
    HRESULT result = S_OK;
    Variant first;
    Variant second;
    Variant third;
    auto convert = [&](UINT position, VARTYPE type, Variant& value) {
      if (SUCCEEDED(result)) {
        result = Argument(*parameters, position, type, value);
        if (FAILED(result) && badArgument != nullptr)
          *badArgument = parameters->cArgs - 1 - position;
      }
    };
    switch (id) {
      case extensibility::kOnConnection:
        convert(0, VT_DISPATCH, first);
        convert(1, VT_I4, second);
        convert(2, VT_DISPATCH, third);
        if (FAILED(result)) return result;
        return OnConnection(first.AsObject(), second.AsLong(), third.AsObject(), nullptr);
      case extensibility::kOnDisconnection:
        convert(0, VT_I4, first);
        if (FAILED(result)) return result;
        return OnDisconnection(first.AsLong(), nullptr);
      case extensibility::kOnAddInsUpdate:
        return OnAddInsUpdate(nullptr);
      case extensibility::kOnStartupComplete:
        return OnStartupComplete(nullptr);
      default:
        return OnBeginShutdown(nullptr);
    }
  });
}

HRESULT ComConnect::OnConnection(IDispatch* application, LONG connectMode, IDispatch* addInInst,
                                 SAFEARRAY**) {
  return Guarded([&] {
    // Its message boxes run a message loop, in which the IDE may disconnect the add-in.
    const CallFrame frame;
    // A second connection while connected is the add-in's to ignore; the IDE object it holds
    // must stay alive for it.
    if (!connect_.Connected()) {
      if (session_ == nullptr) session_ = std::make_unique<AddInSession>(Module());
      vbe_ = std::make_unique<LateBoundVbe>(Dispatch(application));
    }
    connect_.OnConnection(vbe_.get(), connectMode, LateBoundAddIn(Dispatch(addInInst)), {});
  });
}

HRESULT ComConnect::OnDisconnection(LONG removeMode, SAFEARRAY**) {
  return Guarded([&] {
    // The windows and the services go once the add-in's code on the stack has returned; the IDE
    // may release this object before that, so it keeps itself (and the DLL) until then.
    AddRef();
    connect_.OnDisconnection(removeMode, {}, [this] {
      session_.reset();
      Release();
    });
  });
}

HRESULT ComConnect::OnAddInsUpdate(SAFEARRAY**) {
  return Guarded([&] { connect_.OnAddInsUpdate({}); });
}

HRESULT ComConnect::OnStartupComplete(SAFEARRAY**) {
  return Guarded([&] {
    const CallFrame frame;
    connect_.OnStartupComplete({});
  });
}

HRESULT ComConnect::OnBeginShutdown(SAFEARRAY**) {
  return Guarded([&] { connect_.OnBeginShutdown({}); });
}

}  // namespace zarvelin::win32
