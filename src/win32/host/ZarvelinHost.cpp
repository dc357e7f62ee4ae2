// The test host: plays the IDE for the registered add-in. It creates "Zarvelin.Connect" through COM
// as the IDE does, hands it an IDE object of its own that records what the add-in asks of it, and
// drives the add-in's events by vtable and by name. One PASS or FAIL line per check; the exit
// status is the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}: IDTExtensibility2, whose vtable the IDE calls.
inline constexpr IID kIidExtensibility2 = {
    0xb65ad801, 0xabaf, 0x11d0, {0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f, 0x27, 0x44}};

// Outside the unnamed namespace on purpose: there the compiler may conclude that nothing in this
// program implements the interface and turn every call through it into a trap.
struct IDTExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  ++(ok ? passed : failed);
}

// Everything the add-in asks of the IDE, in order, as "Name(arguments)" or "Name=value".
std::vector<std::wstring> calls;

std::wstring Describe(const VARIANT& value) {
  switch (value.vt) {
    case VT_ERROR:
      return value.scode == DISP_E_PARAMNOTFOUND ? L"missing" : L"error";
    case VT_BOOL:
      return value.boolVal ? L"True" : L"False";
    case VT_BSTR:
      return value.bstrVal;
    default: {
      VARIANT text;
      VariantInit(&text);
      std::wstring described = L"?";
      if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) {
        described = text.bstrVal;
      }
      VariantClear(&text);
      return described;
    }
  }
}

// One object of the played IDE: its members by name, each answered by a function.
class IdeObject final : public IDispatch {
 public:
  using Member = std::function<HRESULT(DISPPARAMS& parameters, VARIANT* result)>;
  struct Entry {
    std::wstring name;
    Member member;
  };

  explicit IdeObject(std::vector<Entry> members) : members_(std::move(members)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    for (size_t index = 0; index < members_.size(); ++index) {
      if (CompareStringOrdinal(names[0], -1, members_[index].name.c_str(), -1, TRUE) ==
          CSTR_EQUAL) {
        ids[0] = static_cast<DISPID>(index + 1);
        return S_OK;
      }
    }
    calls.push_back(std::wstring(names[0]) + L"?");
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    const Entry& entry = members_[static_cast<size_t>(id - 1)];
    std::wstring call = entry.name;
    if (flags & DISPATCH_PROPERTYPUT) {
      call += L"=" + Describe(parameters->rgvarg[0]);
    } else if (parameters->cArgs > 0) {
      call += L"(";
      for (UINT index = parameters->cArgs; index-- > 0;) {
        call += Describe(parameters->rgvarg[index]);
        if (index > 0) call += L",";
      }
      call += L")";
    }
    calls.push_back(call);
    if (result != nullptr) VariantInit(result);
    return entry.member(*parameters, result);
  }

 private:
  ULONG references_ = 1;
  std::vector<Entry> members_;
};

// A member answering a new object of the played IDE.
IdeObject::Member Answers(std::function<IdeObject*()> make) {
  return [make](DISPPARAMS&, VARIANT* result) {
    IdeObject* object = make();
    if (result == nullptr) {
      object->Release();
      return S_OK;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
  };
}

HRESULT Nothing(DISPPARAMS&, VARIANT*) {
  return S_OK;
}

IdeObject* MakeControl() {
  return new IdeObject(
      {{L"Caption", Nothing}, {L"Style", Nothing}, {L"PasteFace", Nothing}, {L"Delete", Nothing}});
}

IdeObject* MakeBar() {
  return new IdeObject({{L"Controls", Answers([] {
                           return new IdeObject({{L"Add", Answers(MakeControl)}});
                         })}});
}

// The IDE as far as the add-in's entries need it: command bars with controls. Clicks, projects
// and the add-in list are not played yet.
IdeObject* MakeIde() {
  return new IdeObject({{L"CommandBars", Answers([] {
                           return new IdeObject({{L"Item", Answers(MakeBar)}});
                         })}});
}

IdeObject* MakeAddIn() {
  return new IdeObject({{L"ProgId", [](DISPPARAMS&, VARIANT* result) {
                           result->vt = VT_BSTR;
                           result->bstrVal = SysAllocString(L"Zarvelin.Connect");
                           return S_OK;
                         }}});
}

bool Called(const std::wstring& call) {
  for (const std::wstring& made : calls) {
    if (made == call) return true;
  }
  return false;
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  HRESULT result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) return result;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                        nullptr, nullptr);
}

VARIANT Long(LONG number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

VARIANT Object(IDispatch* object) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

// The custom arguments, an empty array of variants passed by reference as the IDE passes it.
VARIANT Custom(SAFEARRAY** array) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
  value.pparray = array;
  return value;
}

HRESULT CanUnloadNow() {
  HMODULE dll = GetModuleHandleW(L"Zarvelin.dll");
  if (dll == nullptr) return E_FAIL;
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  const auto entry =
      reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  return entry == nullptr ? E_FAIL : entry();
}

void Run() {
  CLSID clsid = {};
  Check(SUCCEEDED(CLSIDFromProgID(L"Zarvelin.Connect", &clsid)),
        "ProgID Zarvelin.Connect names a class");
  IDispatch* connect = nullptr;
  Check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&connect))),
        "CoCreateInstance gives the add-in's IDispatch");
  if (connect == nullptr) return;
  IDTExtensibility2* extensibility = nullptr;
  Check(SUCCEEDED(
            connect->QueryInterface(kIidExtensibility2, reinterpret_cast<void**>(&extensibility))),
        "the add-in answers IDTExtensibility2");
  if (extensibility == nullptr) return;
  IUnknown* unknown = nullptr;
  Check(connect->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&unknown)) ==
                E_NOINTERFACE &&
            unknown == nullptr,
        "an interface it does not implement is refused");
  Check(CanUnloadNow() == S_FALSE, "DllCanUnloadNow says no while the object lives");

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"onstartupcomplete")};
  DISPID id = 0;
  Check(connect->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == S_OK && id == 4,
        "names are found whatever their letter case");
  names[0] = const_cast<LPOLESTR>(L"Show");
  Check(connect->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == DISP_E_UNKNOWNNAME,
        "an unknown name is DISP_E_UNKNOWNNAME");
  Check(CallByName(connect, L"OnDisconnection", {Long(0)}) == DISP_E_BADPARAMCOUNT,
        "a call by name with too few arguments is refused");

  IdeObject* ide = MakeIde();
  IdeObject* addIn = MakeAddIn();
  SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  const LONG kStartup = 1;
  Check(extensibility->OnConnection(ide, kStartup, addIn, &custom) == S_OK,
        "OnConnection at the IDE's start-up, by vtable");
  Check(calls.empty(), "at start-up the entries wait for OnStartupComplete");
  Check(extensibility->OnConnection(ide, 0, addIn, &custom) == S_OK && calls.empty(),
        "a second connection is ignored");
  Check(CallByName(connect, L"OnAddInsUpdate", {Custom(&custom)}) == S_OK && calls.empty(),
        "OnAddInsUpdate by name does nothing");

  // The entries' face goes through the clipboard, which the Windows services provide; until they
  // are installed the start-up ends there, after the first entry is made.
  CallByName(connect, L"OnStartupComplete", {Custom(&custom)});
  Check(Called(L"Item(File)"), "OnStartupComplete by name asks for the File menu");
  Check(Called(L"Add(1,missing,missing,7,True)"),
        "the File entry is a temporary button at position 7, left-out arguments missing");
  Check(Called(L"Caption=Zarvelin ...") && Called(L"Style=3"),
        "the File entry gets its caption, then its style");

  calls.clear();
  Check(CallByName(connect, L"OnDisconnection", {Long(0), Custom(&custom)}) == S_OK,
        "OnDisconnection by name carries on past every failure");
  Check(CallByName(connect, L"OnConnection",
                   {Object(ide), Long(kStartup), Object(addIn), Custom(&custom)}) == S_OK &&
            calls.empty(),
        "after the disconnection, a new connection by name is taken");
  Check(extensibility->OnDisconnection(0, &custom) == S_OK, "OnDisconnection by vtable");
  Check(extensibility->OnBeginShutdown(&custom) == S_OK, "OnBeginShutdown by vtable");

  SafeArrayDestroy(custom);
  ide->Release();
  addIn->Release();
  extensibility->Release();
  Check(connect->Release() == 0, "the last Release frees the add-in");
  Check(CanUnloadNow() == S_OK, "DllCanUnloadNow says yes once every object is gone");
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) {
    std::printf("FAIL: CoInitialize\n");
    return 1;
  }
  Run();
  CoUninitialize();
  std::printf("host: %d passed, %d failed\n", passed, failed);
  return failed;
}
