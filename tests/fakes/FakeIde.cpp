#include "FakeIde.h"

#include <algorithm>
#include <utility>

#include "runtime/Strings.h"

namespace zarvelin::fakes {

class FakeIde::Component : public ide::VBComponent {
 public:
  Component(FakeIde& ide, ComponentScript script) : ide_(ide), script_(std::move(script)) {}

  std::string Name() override { return script_.name; }
  int32_t Type() override {
    if (typeError_) throw *typeError_;
    return script_.type;
  }
  std::string FileNames(int16_t index) override {
    if (index != 1) throw VbError(vberr::kSubscriptOutOfRange);
    return script_.fileName;
  }
  bool SaveAs(const std::string& path) override {
    if (ide_.beforeSave_) ide_.beforeSave_();
    ide_.calls_.push_back("SaveAs " + script_.name + " " + path);
    if (script_.saveError) throw *script_.saveError;
    return script_.saveResult;
  }
  void FailType(VbError error) { typeError_ = std::move(error); }

 private:
  FakeIde& ide_;
  ComponentScript script_;
  std::optional<VbError> typeError_;
};

class FakeIde::Components : public ide::VBComponents {
 public:
  explicit Components(FakeIde& ide) : ide_(ide) {}

  int32_t Count() override { return static_cast<int32_t>(items_.size()); }
  std::shared_ptr<ide::VBComponent> Item(int32_t index) override {
    if (index < 1 || index > Count()) throw VbError(vberr::kSubscriptOutOfRange);
    return items_[index - 1];
  }
  std::vector<std::shared_ptr<ide::VBComponent>> Enumerate() override {
    return {items_.begin(), items_.end()};
  }
  void Remove(ide::VBComponent& component) override {
    ide_.calls_.push_back("Remove " + component.Name());
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const auto& item) { return item.get() == &component; });
    if (found == items_.end()) throw VbError(vberr::kSubscriptOutOfRange);
    items_.erase(found);
  }
  std::shared_ptr<ide::VBComponent> AddFile(const std::string& path,
                                            bool relatedDocument) override {
    ide_.calls_.push_back("AddFile " + path + (relatedDocument ? " -1" : " 0"));
    const size_t slash = path.rfind('\\');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const int32_t type =
        relatedDocument ? ide::component::kRelatedDocument : ide::component::kResFile;
    ComponentScript added;
    added.name = name;
    added.type = type;
    added.fileName = path;
    items_.push_back(std::make_shared<Component>(ide_, std::move(added)));
    return items_.back();
  }

  void Add(ComponentScript script) {
    items_.push_back(std::make_shared<Component>(ide_, std::move(script)));
  }
  std::vector<std::shared_ptr<Component>>& Items() { return items_; }

 private:
  FakeIde& ide_;
  std::vector<std::shared_ptr<Component>> items_;
};

class FakeIde::Project : public ide::VBProject {
 public:
  Project(FakeIde& ide, std::string fileName)
      : ide_(ide), fileName_(std::move(fileName)), components_(ide) {}

  std::string FileName() override { return fileName_; }
  ide::VBComponents& Components() override { return components_; }
  void SaveAs(const std::string& path) override {
    ide_.calls_.push_back("Project.SaveAs " + path);
    if (ide_.projectSaveError_) throw *ide_.projectSaveError_;
  }
  FakeIde::Components& Collection() { return components_; }

 private:
  FakeIde& ide_;
  std::string fileName_;
  FakeIde::Components components_;
};

class FakeIde::ProjectList : public ide::VBProjects {
 public:
  explicit ProjectList(FakeIde& ide) : ide_(ide) {}

  std::shared_ptr<ide::VBProject> AddFromFile(const std::string& path, bool exclusive) override {
    ide_.calls_.push_back("AddFromFile " + path + (exclusive ? " -1" : " 0"));
    if (ide_.addFromFileError_) throw *ide_.addFromFileError_;
    ide_.project_ = std::make_shared<Project>(ide_, path);
    return ide_.project_;
  }

 private:
  FakeIde& ide_;
};

class FakeIde::AddIn : public ide::AddIn {
 public:
  AddIn(FakeIde& ide, AddInScript script) : ide_(ide), script_(std::move(script)) {}

  std::string ProgId() override { return script_.progId; }
  bool Connect() override { return script_.connected; }
  void SetConnect(bool connect) override {
    ide_.calls_.push_back("Connect " + script_.progId + (connect ? " -1" : " 0"));
    script_.connected = connect;
  }

 private:
  FakeIde& ide_;
  AddInScript script_;
};

class FakeIde::AddInList : public ide::AddIns {
 public:
  int32_t Count() override { return static_cast<int32_t>(items_.size()); }
  std::shared_ptr<ide::AddIn> Item(int32_t index) override {
    if (index < 1 || index > Count()) throw VbError(vberr::kSubscriptOutOfRange);
    return items_[index - 1];
  }
  std::vector<std::shared_ptr<AddIn>>& Items() { return items_; }

 private:
  std::vector<std::shared_ptr<AddIn>> items_;
};

FakeIde::FakeIde()
    : projects_(std::make_unique<ProjectList>(*this)), addIns_(std::make_unique<AddInList>()) {}

FakeIde::~FakeIde() = default;

void FakeIde::OpenProject(std::string fileName, std::vector<ComponentScript> components) {
  project_ = std::make_shared<Project>(*this, std::move(fileName));
  for (ComponentScript& component : components) project_->Collection().Add(std::move(component));
}

void FakeIde::CloseProject() {
  project_.reset();
}

void FakeIde::FailTypeOf(std::string componentName, VbError error) {
  for (const auto& component : project_->Collection().Items()) {
    if (component->Name() == componentName) component->FailType(error);
  }
}

void FakeIde::InstallAddIn(std::string progId, bool connected) {
  addIns_->Items().push_back(
      std::make_shared<AddIn>(*this, AddInScript{std::move(progId), connected}));
}

bool FakeIde::AddInConnected(const std::string& progId) const {
  for (const auto& addIn : addIns_->Items()) {
    if (EqualNoCase(addIn->ProgId(), progId)) return addIn->Connect();
  }
  return false;
}

std::vector<std::string> FakeIde::ComponentNames() const {
  std::vector<std::string> names;
  if (project_) {
    for (const auto& component : project_->Collection().Items()) names.push_back(component->Name());
  }
  return names;
}

std::shared_ptr<ide::VBProject> FakeIde::ActiveVBProject() {
  if (!project_) throw VbError(vberr::kObjectVariableNotSet);
  return project_;
}

ide::VBProjects& FakeIde::Projects() {
  return *projects_;
}

ide::AddIns& FakeIde::Addins() {
  return *addIns_;
}

ide::CommandBars& FakeIde::Bars() {
  throw VbError(vberr::kObjectDoesntSupportProperty);
}

ide::Events& FakeIde::GetEvents() {
  throw VbError(vberr::kObjectDoesntSupportProperty);
}

}  // namespace zarvelin::fakes
