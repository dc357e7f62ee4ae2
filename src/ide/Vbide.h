#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The VB6 IDE's extensibility object model (VBIDE), as far as this system uses it. Every call may
// fail; a failure arrives as a VbError, as it would from the IDE through COM.
namespace zarvelin::ide {

// Component type numbers (vbext_ComponentType).
namespace component {
inline constexpr int32_t kStdModule = 1;
inline constexpr int32_t kClassModule = 2;
inline constexpr int32_t kMSForm = 3;
inline constexpr int32_t kResFile = 4;
inline constexpr int32_t kVBForm = 5;
inline constexpr int32_t kVBMDIForm = 6;
inline constexpr int32_t kPropPage = 7;
inline constexpr int32_t kUserControl = 8;
inline constexpr int32_t kDocObject = 9;
inline constexpr int32_t kRelatedDocument = 10;
inline constexpr int32_t kActiveXDesigner = 11;
}  // namespace component

class VBComponent {
 public:
  virtual ~VBComponent() = default;
  virtual std::string Name() = 0;
  virtual int32_t Type() = 0;
  // FileNames(index), 1-based: the full path of the component's file; empty when never saved.
  virtual std::string FileNames(int16_t index) = 0;
  // Writes the component's current state to path; True on success.
  virtual bool SaveAs(const std::string& path) = 0;
  // Whether the component has changes that are not saved.
  virtual bool IsDirty() = 0;
};

class VBComponents {
 public:
  virtual ~VBComponents() = default;
  virtual int32_t Count() = 0;
  // Item(index), 1-based.
  virtual std::shared_ptr<VBComponent> Item(int32_t index) = 0;
  // For Each: the components in the collection's order, as they stand when the walk starts.
  virtual std::vector<std::shared_ptr<VBComponent>> Enumerate() = 0;
  virtual void Remove(VBComponent& component) = 0;
  virtual std::shared_ptr<VBComponent> AddFile(const std::string& path, bool relatedDocument) = 0;
};

class VBProject {
 public:
  virtual ~VBProject() = default;
  // Full path of the project file; empty when the project has never been saved.
  virtual std::string FileName() = 0;
  virtual VBComponents& Components() = 0;
  virtual void SaveAs(const std::string& path) = 0;
  // Whether the project has changes that are not saved.
  virtual bool IsDirty() = 0;
};

// The projects the IDE holds: one, or the projects of a group.
class VBProjects {
 public:
  virtual ~VBProjects() = default;
  // Opens a project file (.vbp), or every project of a group file (.vbg). Exclusive: the open
  // projects close first; otherwise the new ones join them. The IDE answers the new projects
  // (VBNewProjects); this model answers the project, or the group's start-up project.
  virtual std::shared_ptr<VBProject> AddFromFile(const std::string& path, bool exclusive) = 0;
  virtual int32_t Count() = 0;
  // Item(index), 1-based, in the IDE's order.
  virtual std::shared_ptr<VBProject> Item(int32_t index) = 0;
  // The group file's full path; empty when the projects were never saved as a group.
  virtual std::string FileName() = 0;
  // The project that Start runs; Set to one of the projects held.
  virtual std::shared_ptr<VBProject> StartProject() = 0;
  virtual void SetStartProject(const std::shared_ptr<VBProject>& project) = 0;
};

class AddIn {
 public:
  virtual ~AddIn() = default;
  virtual std::string ProgId() = 0;
  virtual bool Connect() = 0;
  virtual void SetConnect(bool connect) = 0;
};

class AddIns {
 public:
  virtual ~AddIns() = default;
  virtual int32_t Count() = 0;
  virtual std::shared_ptr<AddIn> Item(int32_t index) = 0;  // 1-based
};

// Command-bar control types and button styles (msoControlButton, msoButtonIcon ...).
namespace commandbar {
inline constexpr int32_t kButton = 1;
inline constexpr int32_t kStyleIcon = 1;
inline constexpr int32_t kStyleIconAndCaption = 3;
}  // namespace commandbar

class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;
  virtual std::string Caption() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual int32_t Style() = 0;
  virtual void SetStyle(int32_t style) = 0;
  // Takes the button face from the clipboard.
  virtual void PasteFace() = 0;
  virtual void Delete() = 0;
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual int32_t Count() = 0;
  virtual std::shared_ptr<CommandBarControl> Item(int32_t index) = 0;  // 1-based
  // Add(Type, Id, Parameter, Before, Temporary); before 0 appends at the end.
  virtual std::shared_ptr<CommandBarControl> Add(int32_t type, int32_t before, bool temporary) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual CommandBarControls& Controls() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  virtual std::shared_ptr<CommandBar> Item(const std::string& name) = 0;
};

// Click(CommandBarControl, handled, CancelDefault).
using ClickHandler =
    std::function<void(CommandBarControl& control, bool& handled, bool& cancelDefault)>;

// An event source for one control: delivers clicks while the subscription is held.
class CommandBarEvents {
 public:
  virtual ~CommandBarEvents() = default;
  virtual void SetClickHandler(ClickHandler handler) = 0;
};

class Events {
 public:
  virtual ~Events() = default;
  virtual std::shared_ptr<CommandBarEvents> CommandBarEventsFor(
      std::shared_ptr<CommandBarControl> control) = 0;
};

// The IDE object (VBE).
class VBE {
 public:
  virtual ~VBE() = default;
  // The open project; fails (91) when there is none.
  virtual std::shared_ptr<VBProject> ActiveVBProject() = 0;
  // Set ActiveVBProject: makes one of the projects held the active one.
  virtual void SetActiveVBProject(const std::shared_ptr<VBProject>& project) = 0;
  virtual VBProjects& Projects() = 0;
  virtual AddIns& Addins() = 0;
  virtual CommandBars& Bars() = 0;
  virtual Events& GetEvents() = 0;
};

}  // namespace zarvelin::ide
