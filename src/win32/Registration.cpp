#include "win32/Registration.h"

#include <string_view>

#include "win32/ComServer.h"

namespace zarvelin::win32 {
namespace {

constexpr wchar_t kAddInKey[] = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Zarvelin.Connect";
constexpr wchar_t kFriendlyName[] = L"Zarvelin";
constexpr wchar_t kAddInDescription[] = L"Copy Current Visual Basic Project";
// Listed in the Add-In Manager but not loaded until the user ticks it.
constexpr DWORD kNotLoaded = 0;
constexpr DWORD kNotCommandLineSafe = 0;

std::wstring ClassKey() {
  wchar_t clsid[40] = {};
  StringFromGUID2(kConnectClsid, clsid, 40);
  return std::wstring(L"CLSID\\") + clsid;
}

HRESULT FromStatus(LSTATUS status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

class Key {
 public:
  Key(HKEY root, const std::wstring& path)
      : status_(RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                nullptr, &key_, nullptr)) {}
  ~Key() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  LSTATUS Status() const { return status_; }

  // name nullptr: the key's default value.
  LSTATUS Set(const wchar_t* name, std::wstring_view text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const std::wstring terminated(text);
    return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
                          bytes);
  }
  LSTATUS Set(const wchar_t* name, DWORD number) {
    return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof number);
  }

 private:
  HKEY key_ = nullptr;
  LSTATUS status_;
};

// One key and its values, written in full or answered with the first failure.
template <class... Writes>
LSTATUS WriteKey(HKEY root, const std::wstring& path, Writes... writes) {
  Key key(root, path);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  LSTATUS status = ERROR_SUCCESS;
  ((status = status == ERROR_SUCCESS ? writes(key) : status), ...);
  return status;
}

auto Value(const wchar_t* name, std::wstring_view text) {
  return [name, text](Key& key) { return key.Set(name, text); };
}
auto Value(const wchar_t* name, DWORD number) {
  return [name, number](Key& key) { return key.Set(name, number); };
}

LSTATUS DeleteTree(HKEY root, const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(root, path.c_str());
  if (status == ERROR_SUCCESS) {
    // RegDeleteTreeW empties the key but leaves it standing.
    const LSTATUS removed = RegDeleteKeyW(root, path.c_str());
    return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
  }
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

HRESULT RegisterServer(const std::wstring& modulePath) {
  wchar_t clsid[40] = {};
  StringFromGUID2(kConnectClsid, clsid, 40);
  const std::wstring classKey = ClassKey();
  const std::wstring progIdKey = kProgId;
  LSTATUS status = WriteKey(HKEY_CLASSES_ROOT, classKey, Value(nullptr, kClassDescription));
  if (status == ERROR_SUCCESS) {
    status = WriteKey(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", Value(nullptr, modulePath),
                      Value(L"ThreadingModel", L"Apartment"));
  }
  if (status == ERROR_SUCCESS) {
    status = WriteKey(HKEY_CLASSES_ROOT, classKey + L"\\ProgID", Value(nullptr, kProgId));
  }
  if (status == ERROR_SUCCESS) {
    status = WriteKey(HKEY_CLASSES_ROOT, progIdKey, Value(nullptr, kClassDescription));
  }
  if (status == ERROR_SUCCESS) {
    status = WriteKey(HKEY_CLASSES_ROOT, progIdKey + L"\\CLSID", Value(nullptr, clsid));
  }
  if (status == ERROR_SUCCESS) {
    status = WriteKey(HKEY_CURRENT_USER, kAddInKey, Value(L"FriendlyName", kFriendlyName),
                      Value(L"Description", kAddInDescription), Value(L"LoadBehavior", kNotLoaded),
                      Value(L"CommandLineSafe", kNotCommandLineSafe));
  }
  return FromStatus(status);
}

HRESULT UnregisterServer() {
  // Every key is tried, so that one refused deletion does not leave the others behind.
  const LSTATUS results[] = {
      DeleteTree(HKEY_CURRENT_USER, kAddInKey),
      DeleteTree(HKEY_CLASSES_ROOT, kProgId),
      DeleteTree(HKEY_CLASSES_ROOT, ClassKey()),
  };
  for (const LSTATUS status : results) {
    if (status != ERROR_SUCCESS) return FromStatus(status);
  }
  return S_OK;
}

}  // namespace zarvelin::win32
