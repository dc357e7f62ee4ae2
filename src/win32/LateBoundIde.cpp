#include "win32/LateBoundIde.h"

#include <ocidl.h>

#include <new>
#include <utility>
#include <vector>

#include "addin/CallFrame.h"
#include "runtime/VbError.h"
#include "win32/ComObject.h"
#include "win32/ComServer.h"

namespace zarvelin::win32 {
namespace {

class AddInAdapter final : public ide::AddIn {
 public:
  explicit AddInAdapter(Dispatch addIn) : addIn_(std::move(addIn)) {}
  std::string ProgId() override { return addIn_.Call(L"ProgId").AsText(); }
  bool Connect() override { return addIn_.Call(L"Connect").AsBoolean(); }
  void SetConnect(bool connect) override { addIn_.Let(L"Connect", Variant::Boolean(connect)); }

 private:
  Dispatch addIn_;
};

class AddInsAdapter final : public ide::AddIns {
 public:
  explicit AddInsAdapter(Dispatch addIns) : addIns_(std::move(addIns)) {}
  int32_t Count() override { return addIns_.Call(L"Count").AsLong(); }
  std::shared_ptr<ide::AddIn> Item(int32_t index) override {
    return LateBoundAddIn(addIns_.Object(L"Item", {Variant::Long(index)}));
  }

 private:
  Dispatch addIns_;
};

class ComponentAdapter final : public ide::VBComponent {
 public:
  explicit ComponentAdapter(Dispatch component) : component_(std::move(component)) {}
  std::string Name() override { return component_.Call(L"Name").AsText(); }
  int32_t Type() override { return component_.Call(L"Type").AsLong(); }
  std::string FileNames(int16_t index) override {
    return component_.Call(L"FileNames", {Variant::Long(index)}).AsText();
  }
  bool SaveAs(const std::string& path) override {
    const Variant answer = component_.Call(L"SaveAs", {Variant::Text(path)});
    // The IDE's SaveAs is a Sub: coming back without a failure is its success.
    return answer.IsEmpty() || answer.AsBoolean();
  }
  bool IsDirty() override { return component_.Call(L"IsDirty").AsBoolean(); }
  const Dispatch& Object() const { return component_; }

 private:
  Dispatch component_;
};

class ComponentsAdapter final : public ide::VBComponents {
 public:
  explicit ComponentsAdapter(Dispatch components) : components_(std::move(components)) {}
  int32_t Count() override { return components_.Call(L"Count").AsLong(); }
  std::shared_ptr<ide::VBComponent> Item(int32_t index) override {
    return std::make_shared<ComponentAdapter>(components_.Object(L"Item", {Variant::Long(index)}));
  }
  std::vector<std::shared_ptr<ide::VBComponent>> Enumerate() override {
    std::vector<std::shared_ptr<ide::VBComponent>> all;
    const int32_t count = Count();
    for (int32_t index = 1; index <= count; ++index) all.push_back(Item(index));
    return all;
  }
  void Remove(ide::VBComponent& component) override {
    const auto* adapter = dynamic_cast<const ComponentAdapter*>(&component);
    if (adapter == nullptr) throw VbError(vberr::kTypeMismatch);
    components_.Call(L"Remove", {Variant::Object(adapter->Object().Get())});
  }
  std::shared_ptr<ide::VBComponent> AddFile(const std::string& path,
                                            bool relatedDocument) override {
    return std::make_shared<ComponentAdapter>(
        components_.Object(L"AddFile", {Variant::Text(path), Variant::Boolean(relatedDocument)}));
  }

 private:
  Dispatch components_;
};

class ProjectAdapter final : public ide::VBProject {
 public:
  explicit ProjectAdapter(Dispatch project) : project_(std::move(project)) {}
  std::string FileName() override { return project_.Call(L"FileName").AsText(); }
  ide::VBComponents& Components() override {
    if (components_ == nullptr) {
      components_ = std::make_unique<ComponentsAdapter>(project_.Object(L"VBComponents"));
    }
    return *components_;
  }
  void SaveAs(const std::string& path) override { project_.Call(L"SaveAs", {Variant::Text(path)}); }
  bool IsDirty() override { return project_.Call(L"IsDirty").AsBoolean(); }
  const Dispatch& Object() const { return project_; }

 private:
  Dispatch project_;
  std::unique_ptr<ComponentsAdapter> components_;
};

// The IDE's own project object behind a project the add-in holds.
IDispatch* ProjectObject(const std::shared_ptr<ide::VBProject>& project) {
  const auto* adapter = dynamic_cast<const ProjectAdapter*>(project.get());
  if (adapter == nullptr) throw VbError(vberr::kTypeMismatch);
  return adapter->Object().Get();
}

class ProjectsAdapter final : public ide::VBProjects {
 public:
  explicit ProjectsAdapter(Dispatch projects) : projects_(std::move(projects)) {}
  std::shared_ptr<ide::VBProject> AddFromFile(const std::string& path, bool exclusive) override {
    return std::make_shared<ProjectAdapter>(
        projects_.Object(L"AddFromFile", {Variant::Text(path), Variant::Boolean(exclusive)}));
  }
  int32_t Count() override { return projects_.Call(L"Count").AsLong(); }
  std::shared_ptr<ide::VBProject> Item(int32_t index) override {
    return std::make_shared<ProjectAdapter>(projects_.Object(L"Item", {Variant::Long(index)}));
  }
  std::string FileName() override { return projects_.Call(L"FileName").AsText(); }
  std::shared_ptr<ide::VBProject> StartProject() override {
    return std::make_shared<ProjectAdapter>(projects_.Object(L"StartProject"));
  }
  void SetStartProject(const std::shared_ptr<ide::VBProject>& project) override {
    projects_.Set(L"StartProject", Variant::Object(ProjectObject(project)));
  }

 private:
  Dispatch projects_;
};

class ControlAdapter final : public ide::CommandBarControl {
 public:
  explicit ControlAdapter(Dispatch control) : control_(std::move(control)) {}
  std::string Caption() override { return control_.Call(L"Caption").AsText(); }
  void SetCaption(const std::string& caption) override {
    control_.Let(L"Caption", Variant::Text(caption));
  }
  int32_t Style() override { return control_.Call(L"Style").AsLong(); }
  void SetStyle(int32_t style) override { control_.Let(L"Style", Variant::Long(style)); }
  void PasteFace() override { control_.Call(L"PasteFace"); }
  void Delete() override { control_.Call(L"Delete"); }
  const Dispatch& Object() const { return control_; }

 private:
  Dispatch control_;
};

class ControlsAdapter final : public ide::CommandBarControls {
 public:
  explicit ControlsAdapter(Dispatch controls) : controls_(std::move(controls)) {}
  int32_t Count() override { return controls_.Call(L"Count").AsLong(); }
  std::shared_ptr<ide::CommandBarControl> Item(int32_t index) override {
    return std::make_shared<ControlAdapter>(controls_.Object(L"Item", {Variant::Long(index)}));
  }
  std::shared_ptr<ide::CommandBarControl> Add(int32_t type, int32_t before,
                                              bool temporary) override {
    // Add(Type, Id, Parameter, Before, Temporary): what is left out goes as VB leaves it out.
    const Variant placed = before == 0 ? Variant::Missing() : Variant::Long(before);
    return std::make_shared<ControlAdapter>(
        controls_.Object(L"Add", {Variant::Long(type), Variant::Missing(), Variant::Missing(),
                                  placed, Variant::Boolean(temporary)}));
  }

 private:
  Dispatch controls_;
};

class BarAdapter final : public ide::CommandBar {
 public:
  explicit BarAdapter(const Dispatch& bar) : controls_(bar.Object(L"Controls")) {}
  ide::CommandBarControls& Controls() override { return controls_; }

 private:
  ControlsAdapter controls_;
};

class BarsAdapter final : public ide::CommandBars {
 public:
  explicit BarsAdapter(Dispatch bars) : bars_(std::move(bars)) {}
  std::shared_ptr<ide::CommandBar> Item(const std::string& name) override {
    return std::make_shared<BarAdapter>(bars_.Object(L"Item", {Variant::Text(name)}));
  }

 private:
  Dispatch bars_;
};

// Receives the events object's Click(CommandBarControl, handled, CancelDefault) through its
// connection point, by whatever DISPID the IDE uses: Click is the interface's only event.
class ClickSink final : public ComDispatch<IDispatch>, private ServerObject {
 public:
  explicit ClickSink(const IID& events) : events_(events) {}

  void SetHandler(ide::ClickHandler handler) { handler_ = std::move(handler); }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    const bool click =
        CompareStringOrdinal(names[0], -1, L"Click", -1, TRUE) == CSTR_EQUAL && count == 1;
    ids[0] = click ? kClick : DISPID_UNKNOWN;
    return click ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (parameters == nullptr || parameters->cArgs != 3) return DISP_E_BADPARAMCOUNT;
    VARIANT_BOOL* handledFlag = Flag(parameters->rgvarg[1]);
    VARIANT_BOOL* cancelFlag = Flag(parameters->rgvarg[0]);
    if (handledFlag == nullptr || cancelFlag == nullptr) return DISP_E_TYPEMISMATCH;
    if (!handler_) return S_OK;
    // The handler may end the subscription that holds this sink.
    AddRef();
    const HRESULT result = Click(parameters->rgvarg[2], *handledFlag, *cancelFlag);
    Release();
    return result;
  }

 private:
  // A Boolean passed by reference, as VB passes it (VT_BOOL|VT_BYREF) or as a caller with only
  // variants passes it (VT_VARIANT|VT_BYREF around a VT_BOOL).
  static VARIANT_BOOL* Flag(VARIANT& argument) {
    if (argument.vt == (VT_BOOL | VT_BYREF)) return argument.pboolVal;
    if (argument.vt != (VT_VARIANT | VT_BYREF) || argument.pvarVal == nullptr) return nullptr;
    VARIANT& inner = *argument.pvarVal;
    if (inner.vt == VT_BOOL) return &inner.boolVal;
    if (inner.vt == (VT_BOOL | VT_BYREF)) return inner.pboolVal;
    return nullptr;
  }

  HRESULT Click(const VARIANT& control, VARIANT_BOOL& handledFlag, VARIANT_BOOL& cancelFlag) {
    // The disconnection this click may bring waits until the click has been handled.
    const CallFrame frame;
    try {
      Variant clicked;
      VariantCopyInd(clicked.Raw(), const_cast<VARIANT*>(&control));
      ControlAdapter adapter{Dispatch(clicked.AsObject())};
      bool handled = handledFlag != VARIANT_FALSE;
      bool cancelDefault = cancelFlag != VARIANT_FALSE;
      handler_(adapter, handled, cancelDefault);
      handledFlag = handled ? VARIANT_TRUE : VARIANT_FALSE;
      cancelFlag = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    } catch (const VbError& error) {
      return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number() & 0xFFFF);
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  void* Find(REFIID iid) override {
    const bool known = IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, events_);
    return known ? static_cast<IDispatch*>(this) : nullptr;
  }

  static constexpr DISPID kClick = 1;
  IID events_;
  ide::ClickHandler handler_;
};

// _dispCommandBarControlEvents, the interface of the events object's Click, as VB binds it.
// {0002E131-0000-0000-C000-000000000046}
constexpr IID kIidCommandBarControlEvents = {
    0x0002e131, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The events object's connection point for Click: asked for by its interface, as VB's WithEvents
// does; an IDE that does not know that interface by name may still list its points.
IConnectionPoint* ClickPoint(IConnectionPointContainer& container) {
  IConnectionPoint* point = nullptr;
  if (SUCCEEDED(container.FindConnectionPoint(kIidCommandBarControlEvents, &point)) &&
      point != nullptr) {
    return point;
  }
  IEnumConnectionPoints* points = nullptr;
  HRESULT result = container.EnumConnectionPoints(&points);
  if (FAILED(result)) ThrowComFailure(result);
  ULONG fetched = 0;
  result = points->Next(1, &point, &fetched);
  points->Release();
  if (result != S_OK || fetched != 1) ThrowComFailure(FAILED(result) ? result : E_NOINTERFACE);
  return point;
}

// Holding the subscription is holding the events object and the advise, as a VB add-in holds
// its WithEvents variable: releasing it stops the clicks.
class CommandBarEventsAdapter final : public ide::CommandBarEvents {
 public:
  explicit CommandBarEventsAdapter(Dispatch source) : source_(std::move(source)) {
    IConnectionPointContainer* container = nullptr;
    HRESULT result = source_.Get()->QueryInterface(IID_IConnectionPointContainer,
                                                   reinterpret_cast<void**>(&container));
    if (FAILED(result)) ThrowComFailure(result);
    try {
      point_ = ClickPoint(*container);
    } catch (...) {
      container->Release();
      throw;
    }
    container->Release();
    IID events = IID_NULL;
    result = point_->GetConnectionInterface(&events);
    if (SUCCEEDED(result)) {
      sink_ = new (std::nothrow) ClickSink(events);
      result = sink_ == nullptr ? E_OUTOFMEMORY : point_->Advise(sink_, &cookie_);
    }
    if (FAILED(result)) {
      Release();
      ThrowComFailure(result);
    }
  }
  ~CommandBarEventsAdapter() override {
    if (cookie_ != 0) point_->Unadvise(cookie_);
    // A click under way may still hold the sink; it hears nothing more.
    if (sink_ != nullptr) sink_->SetHandler({});
    Release();
  }
  CommandBarEventsAdapter(const CommandBarEventsAdapter&) = delete;
  CommandBarEventsAdapter& operator=(const CommandBarEventsAdapter&) = delete;

  void SetClickHandler(ide::ClickHandler handler) override {
    sink_->SetHandler(std::move(handler));
  }

 private:
  void Release() {
    if (sink_ != nullptr) sink_->Release();
    if (point_ != nullptr) point_->Release();
    sink_ = nullptr;
    point_ = nullptr;
  }

  Dispatch source_;
  IConnectionPoint* point_ = nullptr;
  ClickSink* sink_ = nullptr;
  DWORD cookie_ = 0;
};

class EventsAdapter final : public ide::Events {
 public:
  explicit EventsAdapter(Dispatch events) : events_(std::move(events)) {}
  std::shared_ptr<ide::CommandBarEvents> CommandBarEventsFor(
      std::shared_ptr<ide::CommandBarControl> control) override {
    const auto* adapter = dynamic_cast<const ControlAdapter*>(control.get());
    if (adapter == nullptr) throw VbError(vberr::kObjectRequired);
    return std::make_shared<CommandBarEventsAdapter>(
        events_.Object(L"CommandBarEvents", {Variant::Object(adapter->Object().Get())}));
  }

 private:
  Dispatch events_;
};

}  // namespace

std::shared_ptr<ide::AddIn> LateBoundAddIn(const Dispatch& addIn) {
  return std::make_shared<AddInAdapter>(addIn);
}

// The IDE's collections, reached the first time they are asked for and held from then on.
struct LateBoundVbe::Members {
  std::unique_ptr<ProjectsAdapter> projects;
  std::unique_ptr<AddInsAdapter> addIns;
  std::unique_ptr<BarsAdapter> bars;
  std::unique_ptr<EventsAdapter> events;
};

LateBoundVbe::LateBoundVbe(const Dispatch& vbe)
    : vbe_(vbe), members_(std::make_unique<Members>()) {}

LateBoundVbe::~LateBoundVbe() = default;

std::shared_ptr<ide::VBProject> LateBoundVbe::ActiveVBProject() {
  return std::make_shared<ProjectAdapter>(vbe_.Object(L"ActiveVBProject"));
}

void LateBoundVbe::SetActiveVBProject(const std::shared_ptr<ide::VBProject>& project) {
  vbe_.Set(L"ActiveVBProject", Variant::Object(ProjectObject(project)));
}

namespace {

template <class Adapter>
Adapter& Reached(std::unique_ptr<Adapter>& held, const Dispatch& vbe, const wchar_t* name) {
  if (held == nullptr) held = std::make_unique<Adapter>(vbe.Object(name));
  return *held;
}

}  // namespace

ide::VBProjects& LateBoundVbe::Projects() {
  return Reached(members_->projects, vbe_, L"VBProjects");
}

ide::AddIns& LateBoundVbe::Addins() {
  return Reached(members_->addIns, vbe_, L"Addins");
}

ide::CommandBars& LateBoundVbe::Bars() {
  return Reached(members_->bars, vbe_, L"CommandBars");
}

ide::Events& LateBoundVbe::GetEvents() {
  return Reached(members_->events, vbe_, L"Events");
}

}  // namespace zarvelin::win32
