#include "win32/testhost/ServedIde.h"

#include <utility>

#include "runtime/VbError.h"
#include "win32/testhost/ClickEvents.h"
#include "win32/testhost/DispatchObject.h"

namespace zarvelin::testhost {
namespace {

using Arguments = DispatchObject::Arguments;
using Entry = DispatchObject::Entry;

// A property the add-in reads, and may assign when a setter is given.
Entry Property(std::wstring name, std::function<void(VARIANT&)> get,
               std::function<void(const VARIANT*)> set = {}) {
  return {std::move(name), [get = std::move(get), set = std::move(set)](const Arguments& arguments,
                                                                        bool put, VARIANT& result) {
            if (!put) {
              get(result);
              return;
            }
            if (!set || arguments.empty()) throw VbError(vberr::kObjectDoesntSupportProperty);
            set(arguments.back());
          }};
}

const VARIANT* Argument(const Arguments& arguments, size_t index) {
  return index < arguments.size() ? arguments[index] : nullptr;
}

template <class T>
std::shared_ptr<T> Native(const VARIANT* value) {
  DispatchObject* object = ObjectOf(value);
  if (object == nullptr) throw VbError(vberr::kTypeMismatch);
  return std::static_pointer_cast<T>(object->Native());
}

IDispatch* Component(std::shared_ptr<ide::VBComponent> component) {
  ide::VBComponent& it = *component;
  return new DispatchObject(
      {
          Property(L"Name", [&it](VARIANT& result) { AnswerText(result, it.Name()); }),
          Property(L"Type", [&it](VARIANT& result) { AnswerLong(result, it.Type()); }),
          {L"FileNames",
           [&it](const Arguments& arguments, bool, VARIANT& result) {
             AnswerText(result, it.FileNames(static_cast<int16_t>(LongOf(Argument(arguments, 0)))));
           }},
          {L"SaveAs",
           [&it](const Arguments& arguments, bool, VARIANT& result) {
             AnswerBoolean(result, it.SaveAs(TextOf(Argument(arguments, 0))));
           }},
          Property(L"IsDirty", [&it](VARIANT& result) { AnswerBoolean(result, it.IsDirty()); }),
      },
      std::move(component));
}

IDispatch* Components(std::shared_ptr<ide::VBProject> project) {
  ide::VBComponents& components = project->Components();
  return new DispatchObject(
      {
          Property(L"Count",
                   [&components](VARIANT& result) { AnswerLong(result, components.Count()); }),
          {L"Item",
           [&components](const Arguments& arguments, bool, VARIANT& result) {
             AnswerObject(result, Component(components.Item(LongOf(Argument(arguments, 0)))));
           }},
          {L"Remove",
           [&components](const Arguments& arguments, bool, VARIANT&) {
             components.Remove(*Native<ide::VBComponent>(Argument(arguments, 0)));
           }},
          {L"AddFile",
           [&components](const Arguments& arguments, bool, VARIANT& result) {
             const VARIANT* related = Argument(arguments, 1);
             AnswerObject(result,
                          Component(components.AddFile(TextOf(Argument(arguments, 0)),
                                                       related != nullptr && BooleanOf(related))));
           }},
      },
      std::move(project));
}

IDispatch* Project(std::shared_ptr<ide::VBProject> project) {
  if (project == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  ide::VBProject& it = *project;
  return new DispatchObject(
      {
          Property(L"FileName", [&it](VARIANT& result) { AnswerText(result, it.FileName()); }),
          Property(L"VBComponents",
                   [project](VARIANT& result) { AnswerObject(result, Components(project)); }),
          {L"SaveAs", [&it](const Arguments& arguments, bool,
                            VARIANT&) { it.SaveAs(TextOf(Argument(arguments, 0))); }},
          Property(L"IsDirty", [&it](VARIANT& result) { AnswerBoolean(result, it.IsDirty()); }),
      },
      project);
}

IDispatch* Control(std::shared_ptr<ide::CommandBarControl> control) {
  ide::CommandBarControl& it = *control;
  return new DispatchObject(
      {
          Property(
              L"Caption", [&it](VARIANT& result) { AnswerText(result, it.Caption()); },
              [&it](const VARIANT* value) { it.SetCaption(TextOf(value)); }),
          Property(
              L"Style", [&it](VARIANT& result) { AnswerLong(result, it.Style()); },
              [&it](const VARIANT* value) { it.SetStyle(LongOf(value)); }),
          {L"PasteFace", [&it](const Arguments&, bool, VARIANT&) { it.PasteFace(); }},
          {L"Delete", [&it](const Arguments&, bool, VARIANT&) { it.Delete(); }},
      },
      std::move(control));
}

IDispatch* Bar(std::shared_ptr<ide::CommandBar> bar) {
  if (bar == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  ide::CommandBarControls& controls = bar->Controls();
  return new DispatchObject(
      {Property(L"Controls",
                [bar, &controls](VARIANT& result) {
                  AnswerObject(
                      result,
                      new DispatchObject(
                          {
                              Property(L"Count",
                                       [&controls](VARIANT& value) {
                                         AnswerLong(value, controls.Count());
                                       }),
                              {L"Item",
                               [&controls](const Arguments& arguments, bool, VARIANT& value) {
                                 AnswerObject(
                                     value, Control(controls.Item(LongOf(Argument(arguments, 0)))));
                               }},
                              // Add(Type, Id, Parameter, Before, Temporary)
                              {L"Add",
                               [&controls](const Arguments& arguments, bool, VARIANT& value) {
                                 const VARIANT* type = Argument(arguments, 0);
                                 const VARIANT* before = Argument(arguments, 3);
                                 const VARIANT* temporary = Argument(arguments, 4);
                                 AnswerObject(
                                     value,
                                     Control(controls.Add(
                                         type == nullptr ? ide::commandbar::kButton : LongOf(type),
                                         before == nullptr ? 0 : LongOf(before),
                                         temporary != nullptr && BooleanOf(temporary))));
                               }},
                          },
                          bar));
                })},
      bar);
}

IDispatch* Events(ide::Events& events) {
  return new DispatchObject({
      {L"CommandBarEvents",
       [&events](const Arguments& arguments, bool, VARIANT& result) {
         auto control = Native<ide::CommandBarControl>(Argument(arguments, 0));
         // Both ways of passing the flags by reference: in variants for the toolbar button
         // (no "..." in its caption), as plain Booleans for the menu entries.
         const bool flagsInVariants = control->Caption().find("...") == std::string::npos;
         AnswerObject(result, static_cast<DispatchObject*>(new ClickEvents(
                                  events.CommandBarEventsFor(control),
                                  [control] { return Control(control); }, flagsInVariants)));
       }},
  });
}

IDispatch* AddIns(ide::AddIns& addIns) {
  return new DispatchObject({
      Property(L"Count", [&addIns](VARIANT& result) { AnswerLong(result, addIns.Count()); }),
      {L"Item",
       [&addIns](const Arguments& arguments, bool, VARIANT& result) {
         AnswerObject(result, ServedAddIn(addIns.Item(LongOf(Argument(arguments, 0)))));
       }},
  });
}

}  // namespace

IDispatch* ServedAddIn(std::shared_ptr<ide::AddIn> addIn) {
  if (addIn == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  ide::AddIn& it = *addIn;
  return new DispatchObject(
      {
          Property(L"ProgId", [&it](VARIANT& result) { AnswerText(result, it.ProgId()); }),
          Property(
              L"Connect", [&it](VARIANT& result) { AnswerBoolean(result, it.Connect()); },
              [&it](const VARIANT* value) { it.SetConnect(BooleanOf(value)); }),
      },
      std::move(addIn));
}

namespace {

IDispatch* Projects(ide::VBProjects& projects) {
  return new DispatchObject({
      {L"AddFromFile",
       [&projects](const Arguments& arguments, bool, VARIANT& value) {
         const VARIANT* exclusive = Argument(arguments, 1);
         AnswerObject(value,
                      Project(projects.AddFromFile(TextOf(Argument(arguments, 0)),
                                                   exclusive != nullptr && BooleanOf(exclusive))));
       }},
      Property(L"Count", [&projects](VARIANT& value) { AnswerLong(value, projects.Count()); }),
      {L"Item",
       [&projects](const Arguments& arguments, bool, VARIANT& value) {
         AnswerObject(value, Project(projects.Item(LongOf(Argument(arguments, 0)))));
       }},
      Property(L"FileName",
               [&projects](VARIANT& value) { AnswerText(value, projects.FileName()); }),
      Property(
          L"StartProject",
          [&projects](VARIANT& value) { AnswerObject(value, Project(projects.StartProject())); },
          [&projects](const VARIANT* project) {
            projects.SetStartProject(Native<ide::VBProject>(project));
          }),
  });
}

}  // namespace

IDispatch* ServedVbe(filebacked::FileBackedVBE& vbe) {
  return new DispatchObject({
      Property(
          L"ActiveVBProject",
          [&vbe](VARIANT& result) { AnswerObject(result, Project(vbe.ActiveVBProject())); },
          [&vbe](const VARIANT* project) {
            vbe.SetActiveVBProject(Native<ide::VBProject>(project));
          }),
      Property(L"VBProjects",
               [&vbe](VARIANT& result) { AnswerObject(result, Projects(vbe.Projects())); }),
      Property(L"Addins", [&vbe](VARIANT& result) { AnswerObject(result, AddIns(vbe.Addins())); }),
      Property(L"CommandBars",
               [&vbe](VARIANT& result) {
                 ide::CommandBars& bars = vbe.Bars();
                 AnswerObject(result,
                              new DispatchObject({
                                  {L"Item",
                                   [&bars](const Arguments& arguments, bool, VARIANT& value) {
                                     AnswerObject(value,
                                                  Bar(bars.Item(TextOf(Argument(arguments, 0)))));
                                   }},
                              }));
               }),
      Property(L"Events",
               [&vbe](VARIANT& result) { AnswerObject(result, Events(vbe.GetEvents())); }),
  });
}

}  // namespace zarvelin::testhost
