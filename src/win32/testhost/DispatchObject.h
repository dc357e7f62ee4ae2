#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/ComObject.h"

namespace zarvelin::testhost {

// One object of the played IDE: its members by name (any letter case), each answered by a
// function, as the IDE's own objects answer late binding. What it stands for in the file-backed
// IDE rides along, so that an object handed back by the add-in is known again.
class DispatchObject : public win32::ComDispatch<IDispatch> {
 public:
  // The arguments in call order (the first one first); a left-out one is nullptr.
  using Arguments = std::vector<const VARIANT*>;
  // put: a property assignment, the value last. Answers into result (VT_EMPTY when nothing).
  using Member = std::function<void(const Arguments& arguments, bool put, VARIANT& result)>;
  struct Entry {
    std::wstring name;
    Member member;
  };

  DispatchObject(std::vector<Entry> members, std::shared_ptr<void> native = {});
  ~DispatchObject() override;

  const std::shared_ptr<void>& Native() const { return native_; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override;

  // Every member call made so far on any object, as "Name(arguments)" or "Name=value".
  static std::vector<std::wstring>& Calls();

 protected:
  void* Find(REFIID iid) override;

 private:
  std::vector<Entry> members_;
  std::shared_ptr<void> native_;
};

// Argument conversions as VB makes them; a wrong type is VB's type mismatch (13).
std::string TextOf(const VARIANT* value);
int32_t LongOf(const VARIANT* value);
bool BooleanOf(const VARIANT* value);
// The object behind an argument, when it is one of the played IDE's own.
DispatchObject* ObjectOf(const VARIANT* value);

void AnswerText(VARIANT& result, const std::string& text);
void AnswerLong(VARIANT& result, int32_t number);
void AnswerBoolean(VARIANT& result, bool value);
// Takes over the reference the caller holds on object.
void AnswerObject(VARIANT& result, IDispatch* object);

}  // namespace zarvelin::testhost
