#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zarvelin::win32 {

// A VARIANT owned for its scope.
class Variant {
 public:
  Variant();
  ~Variant();
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);

  static Variant Text(std::string_view text);
  static Variant Long(int32_t number);
  static Variant Boolean(bool value);
  static Variant Object(IDispatch* object);
  // An optional argument left out, as VB passes it.
  static Variant Missing();

  // Conversions as VB makes them; a value that does not convert is a type mismatch (13).
  std::string AsText() const;
  int32_t AsLong() const;
  bool AsBoolean() const;
  // Nothing (a null object) comes back as nullptr; the reference is not added.
  IDispatch* AsObject() const;
  bool IsEmpty() const { return value_.vt == VT_EMPTY; }

  VARIANT* Raw() { return &value_; }
  const VARIANT* Raw() const { return &value_; }

 private:
  VARIANT value_;
};

// An IDispatch reference, called by name at run time as VB's late binding does. A failed call
// throws the VbError VB would raise: the callee's own number for errors it raises, 438 for a
// name it does not know.
class Dispatch {
 public:
  Dispatch() = default;
  explicit Dispatch(IDispatch* object);
  ~Dispatch();
  Dispatch(const Dispatch& other);
  Dispatch& operator=(const Dispatch& other);

  IDispatch* Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // A property or a function with its arguments in VB's order.
  Variant Call(std::wstring_view name, std::initializer_list<Variant> arguments = {}) const;
  // A property or function answering an object; Nothing fails like VB (91).
  Dispatch Object(std::wstring_view name, std::initializer_list<Variant> arguments = {}) const;
  void Let(std::wstring_view name, const Variant& value) const;
  // Set name = object, as VB assigns an object property.
  void Set(std::wstring_view name, const Variant& object) const;

 private:
  Variant Invoke(std::wstring_view name, WORD flags,
                 std::initializer_list<Variant> arguments) const;

  IDispatch* object_ = nullptr;
};

// The VbError a failed COM call stands for.
[[noreturn]] void ThrowComFailure(HRESULT result, const EXCEPINFO* exception = nullptr);

}  // namespace zarvelin::win32
