#include "win32/LateBound.h"

#include <vector>

#include "runtime/VbError.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {

Variant::Variant() {
  VariantInit(&value_);
}

Variant::~Variant() {
  VariantClear(&value_);
}

Variant::Variant(const Variant& other) {
  VariantInit(&value_);
  const HRESULT result = VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
  if (FAILED(result)) ThrowComFailure(result);
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    const HRESULT result = VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
    if (FAILED(result)) ThrowComFailure(result);
  }
  return *this;
}

Variant Variant::Text(std::string_view text) {
  Variant variant;
  const std::wstring wide = Wide(text);
  variant.value_.vt = VT_BSTR;
  variant.value_.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (variant.value_.bstrVal == nullptr) throw VbError(vberr::kOutOfMemory);
  return variant;
}

Variant Variant::Long(int32_t number) {
  Variant variant;
  variant.value_.vt = VT_I4;
  variant.value_.lVal = number;
  return variant;
}

Variant Variant::Boolean(bool value) {
  Variant variant;
  variant.value_.vt = VT_BOOL;
  variant.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return variant;
}

Variant Variant::Object(IDispatch* object) {
  Variant variant;
  variant.value_.vt = VT_DISPATCH;
  variant.value_.pdispVal = object;
  if (object != nullptr) object->AddRef();
  return variant;
}

Variant Variant::Missing() {
  Variant variant;
  variant.value_.vt = VT_ERROR;
  variant.value_.scode = DISP_E_PARAMNOTFOUND;
  return variant;
}

namespace {

Variant Converted(const VARIANT& value, VARTYPE type) {
  Variant converted;
  const HRESULT result = VariantChangeType(converted.Raw(), const_cast<VARIANT*>(&value), 0, type);
  if (FAILED(result)) throw VbError(vberr::kTypeMismatch);
  return converted;
}

}  // namespace

std::string Variant::AsText() const {
  return Narrow(Converted(value_, VT_BSTR).Raw()->bstrVal);
}

int32_t Variant::AsLong() const {
  return Converted(value_, VT_I4).Raw()->lVal;
}

bool Variant::AsBoolean() const {
  return Converted(value_, VT_BOOL).Raw()->boolVal != VARIANT_FALSE;
}

IDispatch* Variant::AsObject() const {
  if (value_.vt == VT_DISPATCH) return value_.pdispVal;
  if (value_.vt == (VT_DISPATCH | VT_BYREF)) return *value_.ppdispVal;
  if (value_.vt == VT_EMPTY || value_.vt == VT_NULL) return nullptr;
  throw VbError(vberr::kObjectRequired);
}

Dispatch::Dispatch(IDispatch* object) : object_(object) {
  if (object_ != nullptr) object_->AddRef();
}

Dispatch::~Dispatch() {
  if (object_ != nullptr) object_->Release();
}

Dispatch::Dispatch(const Dispatch& other) : Dispatch(other.object_) {}

Dispatch& Dispatch::operator=(const Dispatch& other) {
  if (other.object_ != nullptr) other.object_->AddRef();
  if (object_ != nullptr) object_->Release();
  object_ = other.object_;
  return *this;
}

Variant Dispatch::Call(std::wstring_view name, std::initializer_list<Variant> arguments) const {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments);
}

Dispatch Dispatch::Object(std::wstring_view name, std::initializer_list<Variant> arguments) const {
  const Variant result = Call(name, arguments);
  IDispatch* object = result.AsObject();
  if (object == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  return Dispatch(object);
}

void Dispatch::Let(std::wstring_view name, const Variant& value) const {
  Invoke(name, DISPATCH_PROPERTYPUT, {value});
}

void Dispatch::Set(std::wstring_view name, const Variant& object) const {
  Invoke(name, DISPATCH_PROPERTYPUTREF, {object});
}

Variant Dispatch::Invoke(std::wstring_view name, WORD flags,
                         std::initializer_list<Variant> arguments) const {
  if (object_ == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  std::wstring member(name);
  LPOLESTR names[] = {member.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) ThrowComFailure(result);

  // IDispatch takes the arguments last first.
  std::vector<VARIANT> reversed;
  reversed.reserve(arguments.size());
  for (auto argument = std::rbegin(arguments); argument != std::rend(arguments); ++argument) {
    reversed.push_back(*argument->Raw());
  }
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF) {
    parameters.rgdispidNamedArgs = &named;
    parameters.cNamedArgs = 1;
  }
  Variant answer;
  EXCEPINFO exception = {};
  UINT badArgument = 0;
  result = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, answer.Raw(),
                           &exception, &badArgument);
  if (FAILED(result)) ThrowComFailure(result, result == DISP_E_EXCEPTION ? &exception : nullptr);
  return answer;
}

void ThrowComFailure(HRESULT result, const EXCEPINFO* exception) {
  std::string description;
  if (exception != nullptr) {
    EXCEPINFO filled = *exception;
    if (filled.pfnDeferredFillIn != nullptr) filled.pfnDeferredFillIn(&filled);
    description = Narrow(filled.bstrDescription);
    SysFreeString(filled.bstrSource);
    SysFreeString(filled.bstrDescription);
    SysFreeString(filled.bstrHelpFile);
    if (filled.wCode != 0) throw VbError(filled.wCode, description);
    result = filled.scode;
  }
  if (result == DISP_E_UNKNOWNNAME || result == DISP_E_MEMBERNOTFOUND) {
    throw VbError(vberr::kObjectDoesntSupportProperty);
  }
  if (HRESULT_FACILITY(result) == FACILITY_CONTROL) {
    const int32_t number = HRESULT_CODE(result);
    if (description.empty()) throw VbError(number);
    throw VbError(number, description);
  }
  // Outside VB's own errors, VB's Err.Number is the HRESULT itself (an "Automation error").
  throw VbError(static_cast<int32_t>(result),
                description.empty() ? "Automation error" : description);
}

}  // namespace zarvelin::win32
