#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ide/Vbide.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {

// A scriptable in-memory IDE for the copy road's tests: a project of components whose save-as
// answers what the test chose (a flag or a thrown VbError), installed add-ins, and one log of
// every call that changes something, in order ("SaveAs Form1 C:\Copy\Form1.frm",
// "Remove App", "AddFile C:\Copy\App.res 0", "Project.SaveAs C:\Copy\App.vbp",
// "AddFromFile C:\Proj\App.vbp -1", "Connect vbscc 0").
class FakeIde : public ide::VBE {
 public:
  struct ComponentScript {
    std::string name;
    int32_t type = ide::component::kStdModule;
    std::string fileName;  // FileNames(1); empty: never saved
    bool saveResult = true;
    std::optional<VbError> saveError;
  };
  struct AddInScript {
    std::string progId;
    bool connected = false;
  };

  FakeIde();
  ~FakeIde() override;

  // --- the open project ---
  void OpenProject(std::string fileName, std::vector<ComponentScript> components);
  // No project open: ActiveVBProject fails with 91.
  void CloseProject();
  void FailProjectSaveAs(VbError error) { projectSaveError_ = std::move(error); }
  void FailAddFromFile(VbError error) { addFromFileError_ = std::move(error); }
  void FailTypeOf(std::string componentName, VbError error);
  // Runs before every component's save-as: lets a test look at the world mid-walk.
  void BeforeEachSave(std::function<void()> hook) { beforeSave_ = std::move(hook); }

  // --- add-ins ---
  void InstallAddIn(std::string progId, bool connected);
  bool AddInConnected(const std::string& progId) const;

  const std::vector<std::string>& Calls() const { return calls_; }
  // Component names in the open project's collection, in order.
  std::vector<std::string> ComponentNames() const;

  std::shared_ptr<ide::VBProject> ActiveVBProject() override;
  ide::VBProjects& Projects() override;
  ide::AddIns& Addins() override;
  // The copy road never reaches the command bars or their events: using them is a test fault.
  ide::CommandBars& Bars() override;
  ide::Events& GetEvents() override;

 private:
  class Component;
  class Components;
  class Project;
  class ProjectList;
  class AddIn;
  class AddInList;

  std::vector<std::string> calls_;
  std::shared_ptr<Project> project_;
  std::unique_ptr<ProjectList> projects_;
  std::unique_ptr<AddInList> addIns_;
  std::optional<VbError> projectSaveError_;
  std::optional<VbError> addFromFileError_;
  std::function<void()> beforeSave_;
};

}  // namespace zarvelin::fakes
