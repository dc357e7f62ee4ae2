#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/VbError.h"

// The parts of the file-backed IDE that only an add-in reaches (its menus, toolbar, click events
// and the add-ins list) and the project collection, worked step by step into one approved
// transcript.
namespace zarvelin::filebacked {
namespace {

class IdeTranscript {
 public:
  void Step(const std::string& what, const std::function<std::string()>& action) {
    std::string result;
    try {
      result = action();
    } catch (const VbError& error) {
      result = "error " + std::to_string(error.Number());
    }
    text += what + " -> " + result + "\n";
  }
  static std::string Captions(ide::CommandBars& bars, const std::string& bar) {
    ide::CommandBarControls& controls = bars.Item(bar)->Controls();
    std::string captions;
    for (int32_t i = 1; i <= controls.Count(); ++i)
      captions += "[" + controls.Item(i)->Caption() + "]";
    return captions;
  }
  std::string text;
};

TEST(FileBackedIde, MenusEventsAddInsAndProjectsAsApproved) {
  fakes::TestEnvironment env;
  FileBackedVBE vbe(IdeConfiguration{{{"vbscc", true}, {"Other.Connect", false}}});
  ide::CommandBars& bars = vbe.Bars();
  IdeTranscript t;
  for (const char* bar : {"File", "add-ins", "STANDARD", "Edits"})
    t.Step(std::string("bar ") + bar, [&] { return IdeTranscript::Captions(bars, bar); });

  auto& file = bars.Item("File")->Controls();
  std::shared_ptr<ide::CommandBarControl> added;
  for (const int32_t before : {-1, 99, 7}) {
    t.Step("add before " + std::to_string(before), [&] {
      added = file.Add(ide::commandbar::kButton, before, true);
      added->SetCaption("Zarvelin ...");
      added->SetStyle(ide::commandbar::kStyleIconAndCaption);
      return IdeTranscript::Captions(bars, "File") + " style " + std::to_string(added->Style());
    });
  }
  auto& control = dynamic_cast<FileBackedCommandBarControl&>(*added);
  env.platform.clipboard = "face";
  t.Step("paste face", [&] {
    added->PasteFace();
    return control.Face().value_or("none");
  });

  auto first = vbe.GetEvents().CommandBarEventsFor(added);
  auto second = vbe.GetEvents().CommandBarEventsFor(added);
  first->SetClickHandler([&](ide::CommandBarControl& clicked, bool& handled, bool&) {
    t.text += "  first hears " + clicked.Caption() + "\n";
    handled = true;
  });
  second->SetClickHandler([&](ide::CommandBarControl&, bool& handled, bool& cancel) {
    t.text += "  second sees handled=" + std::to_string(handled) + "\n";
    cancel = true;
  });
  const auto click = [&] {
    const ClickFlags flags = control.Click();
    return "handled=" + std::to_string(flags.handled) +
           " cancel=" + std::to_string(flags.cancelDefault);
  };
  t.Step("click", click);
  first.reset();
  t.Step("click after the first source is dropped", click);
  t.Step("delete", [&] {
    added->Delete();
    return IdeTranscript::Captions(bars, "File");
  });
  t.Step("click a deleted control", click);
  t.Step("delete again", [&] {
    added->Delete();
    return std::string();
  });

  ide::AddIns& addIns = vbe.Addins();
  for (int32_t i = 1; i <= 3; ++i) {
    t.Step("add-in " + std::to_string(i), [&] {
      return addIns.Item(i)->ProgId() + " connected=" + std::to_string(addIns.Item(i)->Connect());
    });
  }
  t.Step("reconnect other.connect", [&] {
    const auto addIn = vbe.InstalledAddIns().Find("other.connect");
    addIn->SetConnect(true);
    addIn->SetConnect(false);
    return std::to_string(addIn->ConnectChanges().size()) + " changes";
  });

  ide::VBProjects& projects = vbe.Projects();
  t.Step("active before any", [&] { return vbe.ActiveVBProject()->FileName(); });
  t.Step("open missing", [&] { return projects.AddFromFile("C:\\none.vbp", false)->FileName(); });
  t.Step("open",
         [&] { return projects.AddFromFile(fakes::TestEnvironment::kProject, false)->FileName(); });
  ide::VBComponents& components = vbe.ActiveVBProject()->Components();
  env.files.PutDirectory("C:\\Renamed");
  t.Step("save a form under another name", [&] {
    const bool saved = components.Item(1)->SaveAs("C:\\Renamed\\Main.frm");
    return std::to_string(saved) + " " + components.Item(1)->FileNames(1);
  });
  t.Step("second file name", [&] { return components.Item(1)->FileNames(2); });
  for (const char* path : {"C:\\none.txt", "C:\\Renamed\\Main.frx", "C:\\Renamed\\Main.frm"}) {
    t.Step(std::string("add ") + path, [&] {
      const auto component = components.AddFile(path, std::string(path).ends_with(".txt"));
      return component->Name() + " type " + std::to_string(component->Type());
    });
  }
  env.files.Put("C:\\Projects\\Two.vbp", "Type=Exe\r\n");
  t.Step("join", [&] {
    projects.AddFromFile("C:\\Projects\\Two.vbp", false);
    return vbe.ActiveVBProject()->FileName();
  });
  t.Step("exclusive", [&] {
    projects.AddFromFile("C:\\Projects\\Two.vbp", true);
    return vbe.ActiveVBProject()->FileName() + " components " +
           std::to_string(vbe.ActiveVBProject()->Components().Count());
  });
  fakes::ExpectApproved("filebacked/ide", t.text + env.Transcript({"C:\\Renamed"}));
}

// A group file opens into several projects: the IDE's order, the group's file, the start-up and
// the active project, both of which can be set to a project held and to no other.
TEST(FileBackedIde, GroupsOpenWithTheirStartupAndActiveProject) {
  fakes::TestEnvironment env;
  FileBackedVBE vbe(IdeConfiguration{});
  ide::VBProjects& projects = vbe.Projects();
  IdeTranscript t;
  const auto names = [&] {
    std::string text = "[" + projects.FileName() + "]";
    for (int32_t i = 1; i <= projects.Count(); ++i) text += " " + projects.Item(i)->FileName();
    return text + " start " + projects.StartProject()->FileName() + " active " +
           vbe.ActiveVBProject()->FileName();
  };
  env.files.Put("C:\\G\\Ctl\\Ctl.vbp", "Type=Control\r\n");
  env.files.Put("C:\\G\\Test\\Test.vbp", "Type=Exe\r\n");
  env.files.Put("C:\\G\\Both.vbg",
                "VBGROUP 5.0\r\nProject=Ctl\\Ctl.vbp\r\nStartupProject=Test\\Test.vbp\r\n");
  env.files.Put("C:\\G\\Gone.vbg", "VBGROUP 5.0\r\nProject=Ctl\\Ctl.vbp\r\nProject=X\\X.vbp\r\n");
  env.files.Put("C:\\G\\Not.vbg", "Type=Exe\r\n");
  env.files.Put("C:\\G\\Empty.vbg", "VBGROUP 5.0\r\n");
  t.Step("start before any", [&] { return projects.StartProject()->FileName(); });
  t.Step("open group", [&] { return projects.AddFromFile("C:\\G\\Both.vbg", true)->FileName(); });
  t.Step("held", names);
  t.Step("item 0", [&] { return projects.Item(0)->FileName(); });
  t.Step("item 3", [&] { return projects.Item(3)->FileName(); });
  t.Step("set active and start to item 1", [&] {
    vbe.SetActiveVBProject(projects.Item(1));
    projects.SetStartProject(projects.Item(1));
    return names();
  });
  FileBackedVBE other(IdeConfiguration{});
  other.Projects().AddFromFile("C:\\G\\Test\\Test.vbp", true);
  t.Step("set a project held elsewhere", [&] {
    projects.SetStartProject(other.ActiveVBProject());
    vbe.SetActiveVBProject(other.ActiveVBProject());
    return names();
  });
  for (const char* group : {"C:\\G\\Gone.vbg", "C:\\G\\Not.vbg", "C:\\G\\Empty.vbg"}) {
    t.Step(std::string("open ") + group,
           [&] { return projects.AddFromFile(group, true)->FileName(); });
  }
  t.Step("after failed opens", names);
  t.Step("join a project", [&] {
    projects.AddFromFile("C:\\G\\Test\\Test.vbp", false);
    return names();
  });
  t.Step("open a project alone", [&] {
    projects.AddFromFile("C:\\G\\Ctl\\Ctl.vbp", true);
    return names();
  });
  fakes::ExpectApproved("filebacked/group", t.text);
}

// A saved component writes every line of its file, whether the lines were kept from opening it or,
// for a file larger than one read takes in, are read again; either way the source stays as it was.
TEST(FileBackedIde, SavedComponentsWriteEveryLineWhateverTheirSize) {
  for (const int lines : {0, 3000, 3300, 20000}) {
    fakes::TestEnvironment env;
    std::string module = "Attribute VB_Name = \"m\"\r\n";
    for (int i = 0; i < lines; ++i) module += "' line " + std::to_string(100000 + i) + " .....\r\n";
    env.files.Put("C:\\P\\m.bas", module);
    env.files.Put("C:\\P\\P.vbp", "Type=Exe\r\nModule=m; m.bas\r\n");
    env.files.PutDirectory("C:\\Copy");
    FileBackedVBE vbe(IdeConfiguration{});
    vbe.Projects().AddFromFile("C:\\P\\P.vbp", true);
    EXPECT_TRUE(vbe.ActiveVBProject()->Components().Item(1)->SaveAs("C:\\Copy\\m.bas"));
    EXPECT_EQ(env.files.Bytes("C:\\Copy\\m.bas"), module) << lines << " lines";
    EXPECT_EQ(env.files.Bytes("C:\\P\\m.bas"), module) << lines << " lines";
  }
}

}  // namespace
}  // namespace zarvelin::filebacked
