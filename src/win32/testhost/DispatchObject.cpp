#include "win32/testhost/DispatchObject.h"

#include <exception>

#include "runtime/VbError.h"
#include "win32/WideText.h"

namespace zarvelin::testhost {
namespace {

constexpr int32_t kArgumentNotOptional = 449;

std::wstring Describe(const VARIANT& value) {
  if (value.vt == VT_ERROR) return value.scode == DISP_E_PARAMNOTFOUND ? L"missing" : L"error";
  if (value.vt == VT_BOOL) return value.boolVal ? L"True" : L"False";
  if (value.vt == VT_DISPATCH) return L"object";
  VARIANT text;
  VariantInit(&text);
  std::wstring described = L"?";
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) {
    described = text.bstrVal;
  }
  VariantClear(&text);
  return described;
}

// The value converted to type, by reference or not; type mismatch when it cannot be.
VARIANT Converted(const VARIANT* value, VARTYPE type) {
  if (value == nullptr) throw VbError(kArgumentNotOptional);
  VARIANT plain;
  VariantInit(&plain);
  HRESULT result = VariantCopyInd(&plain, const_cast<VARIANT*>(value));
  if (SUCCEEDED(result)) result = VariantChangeType(&plain, &plain, 0, type);
  if (FAILED(result)) {
    VariantClear(&plain);
    throw VbError(vberr::kTypeMismatch);
  }
  return plain;
}

HRESULT Failed(const VbError& error, EXCEPINFO* exception) {
  const int32_t number = error.Number();
  if (exception == nullptr) {
    return number < 0 ? static_cast<HRESULT>(number)
                      : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
  }
  *exception = EXCEPINFO{};
  exception->bstrSource = SysAllocString(L"ZarvelinHost");
  exception->bstrDescription = SysAllocString(win32::Wide(error.Description()).c_str());
  if (number > 0 && number <= 0xFFFF) {
    exception->wCode = static_cast<WORD>(number);
  } else {
    exception->scode = static_cast<SCODE>(number);
  }
  return DISP_E_EXCEPTION;
}

}  // namespace

DispatchObject::DispatchObject(std::vector<Entry> members, std::shared_ptr<void> native)
    : members_(std::move(members)), native_(std::move(native)) {}

DispatchObject::~DispatchObject() = default;

std::vector<std::wstring>& DispatchObject::Calls() {
  static std::vector<std::wstring> calls;
  return calls;
}

void* DispatchObject::Find(REFIID iid) {
  return IsEqualIID(iid, IID_IDispatch) ? static_cast<IDispatch*>(this) : nullptr;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  for (UINT index = 0; index < count; ++index) ids[index] = DISPID_UNKNOWN;
  for (size_t index = 0; index < members_.size(); ++index) {
    if (CompareStringOrdinal(names[0], -1, members_[index].name.c_str(), -1, TRUE) == CSTR_EQUAL) {
      ids[0] = static_cast<DISPID>(index + 1);
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  Calls().push_back(std::wstring(names[0]) + L"?");
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (parameters == nullptr) return E_INVALIDARG;
  if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
  const Entry& entry = members_[static_cast<size_t>(id - 1)];
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  Arguments arguments;
  std::wstring call = entry.name;
  for (UINT index = parameters->cArgs; index-- > 0;) {
    const VARIANT& argument = parameters->rgvarg[index];
    const bool missing = argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND;
    arguments.push_back(missing ? nullptr : &argument);
    call += (index + 1 == parameters->cArgs ? (put ? L"=" : L"(") : L",") + Describe(argument);
  }
  if (!put && parameters->cArgs > 0) call += L")";
  Calls().push_back(call);
  VARIANT answer;
  VariantInit(&answer);
  // The played IDE fails as the IDE does: with an error number the add-in reads back.
  try {
    entry.member(arguments, put, answer);
  } catch (const VbError& error) {
    VariantClear(&answer);
    return Failed(error, exception);
  } catch (...) {
    VariantClear(&answer);
    return E_UNEXPECTED;
  }
  if (result != nullptr) {
    *result = answer;
  } else {
    VariantClear(&answer);
  }
  return S_OK;
}

std::string TextOf(const VARIANT* value) {
  VARIANT text = Converted(value, VT_BSTR);
  const std::string converted = win32::Narrow(text.bstrVal);
  VariantClear(&text);
  return converted;
}

int32_t LongOf(const VARIANT* value) {
  return Converted(value, VT_I4).lVal;
}

bool BooleanOf(const VARIANT* value) {
  return Converted(value, VT_BOOL).boolVal != VARIANT_FALSE;
}

DispatchObject* ObjectOf(const VARIANT* value) {
  if (value == nullptr) return nullptr;
  const VARIANT* plain = value->vt == (VT_BYREF | VT_VARIANT) ? value->pvarVal : value;
  IDispatch* object = plain->vt == VT_DISPATCH                ? plain->pdispVal
                      : plain->vt == (VT_BYREF | VT_DISPATCH) ? *plain->ppdispVal
                                                              : nullptr;
  // Only the played IDE's own objects come back here; anything else is nobody's.
  return dynamic_cast<DispatchObject*>(object);
}

void AnswerText(VARIANT& result, const std::string& text) {
  result.vt = VT_BSTR;
  result.bstrVal = SysAllocString(win32::Wide(text).c_str());
}

void AnswerLong(VARIANT& result, int32_t number) {
  result.vt = VT_I4;
  result.lVal = number;
}

void AnswerBoolean(VARIANT& result, bool value) {
  result.vt = VT_BOOL;
  result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void AnswerObject(VARIANT& result, IDispatch* object) {
  result.vt = VT_DISPATCH;
  result.pdispVal = object;
}

}  // namespace zarvelin::testhost
