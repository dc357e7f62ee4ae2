#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/FakeIde.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "ui/frmCopyProject.h"

namespace zarvelin {
namespace {

using Shown = fakes::ScriptedPlatform::ShownMessage;
using Shell = fakes::ScriptedPlatform::ShellCall;

// The add-in connection as the dialog sees it: remembers whom it was asked to hide, and hides it.
class RecordingHost : public DialogHost {
 public:
  void Hide(forms::Form& dialog) override {
    hidden.push_back(dialog.Name());
    dialog.Unload();
  }
  std::vector<std::string> hidden;
};

AppFacts InstalledIn(std::string path) {
  AppFacts facts;
  facts.path = std::move(path);
  return facts;
}

class CopyDialogTest : public testing::Test {
 protected:
  CopyDialogTest() {
    SetPlatform(&platform);
    forms::SetWindowBackend(&windows);
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t, int32_t number) {
          failures.push_back(std::string(module) + "." + std::string(procedure) + " " +
                             std::to_string(number));
        });
    ide.OpenProject(R"(C:\Projects\Ledger\Ledger.vbp)", {});
    dialog.SetVBInstance(&ide);
    dialog.SetConnect(&host);
  }
  ~CopyDialogTest() override {
    if (dialog.Loaded()) dialog.Unload();
    SetFailureReporter({});
    forms::SetWindowBackend(nullptr);
    SetPlatform(nullptr);
  }

  forms::Control& Ctl(std::string_view name) { return dialog.Ctl(name); }

  ScopedRuntime runtime{Runtime{nullptr, nullptr, InstalledIn(R"(C:\Program Files\Zarvelin)")}};
  fakes::ScriptedPlatform platform;
  fakes::RecordingWindowBackend windows;
  std::vector<std::string> failures;
  fakes::FakeIde ide;
  RecordingHost host;
  frmCopyProject dialog;
};

// What the user reads on each control: caption and tooltip.
struct ControlText {
  std::string name;
  std::string caption;
  std::string toolTip;
  friend bool operator==(const ControlText&, const ControlText&) = default;
  friend void PrintTo(const ControlText& text, std::ostream* out) {
    *out << text.name << " \"" << text.caption << "\" \"" << text.toolTip << "\"";
  }
};

TEST(CopyDialogDesign, ShowsTheseTextsWithEnterAndEscOnHiddenButtons) {
  const forms::FormDesign design = frmCopyProjectDesign();
  EXPECT_EQ(design.caption, "Zarvelin");
  EXPECT_FALSE(design.icon.empty());
  std::vector<ControlText> texts;
  for (const forms::ControlDesign& control : design.controls) {
    texts.push_back({control.name, control.caption, control.toolTip});
    EXPECT_EQ(control.isDefault, control.name == "cmdOK") << control.name;
    EXPECT_EQ(control.isCancel, control.name == "cmdCancel") << control.name;
    if (control.isDefault || control.isCancel) {
      EXPECT_GE(control.top, design.clientHeight) << control.name << " can be seen";
    }
    if (control.name == "picModule") {
      EXPECT_EQ(control.backColor, (forms::Rgb{192, 192, 192}));
      EXPECT_EQ(control.foreColor, (forms::Rgb{0, 0, 255}));
    }
  }
  EXPECT_EQ(texts, (std::vector<ControlText>{
                       {"picLogo", "", ""},
                       {"fraCopyProject", "Copy Project", ""},
                       {"lblFrom", "From:", ""},
                       {"lblCurrentProject", "C:\\Current Project", ""},
                       {"picModule", "", ""},
                       {"cmdBrowse", "&To:", "Browse for Copy Directory"},
                       {"txtDirectory", "", ""},
                       {"fraCmds", "", ""},
                       {"cmdExplorer", "&Explorer...", "Windows Explorer"},
                       {"cmdCopy", "&Copy", "Start to copy project"},
                       {"cmdRefresh", "&Refresh", "Refresh for new project"},
                       {"cmdHelp", "&Help", "Help"},
                       {"cmdAbout", "&About", "About"},
                       {"cmdExit", "E&xit", "Exit"},
                       {"cmdOK", "OK", ""},
                       {"cmdCancel", "Cancel", ""},
                   }));
}

TEST_F(CopyDialogTest, LoadShowsTheProjectAndItsDirectory) {
  dialog.Load();

  EXPECT_TRUE(dialog.IsVisible());
  EXPECT_EQ(Ctl("lblCurrentProject").Caption(), R"(C:\Projects\Ledger\Ledger.vbp)");
  EXPECT_EQ(Ctl("txtDirectory").Text(), R"(C:\Projects\Ledger)");
  EXPECT_FALSE(Ctl("picModule").Visible());
  EXPECT_TRUE(Ctl("lblCurrentProject").Visible());
  // The label lies exactly on the progress box, in front of it.
  EXPECT_EQ(Ctl("lblCurrentProject").Top(), Ctl("picModule").Top());
  EXPECT_EQ(Ctl("lblCurrentProject").Height(), Ctl("picModule").Height());
  EXPECT_EQ(dialog.ZOrdered("fraCopyProject").front(), &Ctl("lblCurrentProject"));
  EXPECT_TRUE(failures.empty());

  dialog.Unload();
  EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(CopyDialogTest, CopyRightAfterOpeningRefusesTheProjectDirectory) {
  dialog.Load();
  dialog.Click("cmdCopy");

  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].title, "Cannot Copy to Project Directory");
  EXPECT_FALSE(dialog.LastCopySucceeded());
  EXPECT_TRUE(ide.Calls().empty());
}

TEST_F(CopyDialogTest, RefreshShowsTheNewProjectAndKeepsTheDirectory) {
  dialog.Load();
  Ctl("txtDirectory").SetText(R"(D:\Copies)");
  ide.OpenProject(R"(C:\Other\Other.vbp)", {});

  dialog.Click("cmdRefresh");

  EXPECT_EQ(Ctl("lblCurrentProject").Caption(), R"(C:\Other\Other.vbp)");
  EXPECT_EQ(Ctl("txtDirectory").Text(), R"(D:\Copies)");
}

struct ExplorerCase {
  std::string name;
  std::string text;
  std::vector<int32_t> answers;
  std::vector<std::string> explored;
  bool message;
};

class CopyDialogExplorerTest : public CopyDialogTest,
                               public testing::WithParamInterface<ExplorerCase> {};

TEST_P(CopyDialogExplorerTest, ExploresTheDirectoryOrFallsBackToDriveC) {
  const ExplorerCase& c = GetParam();
  dialog.Load();
  Ctl("txtDirectory").SetText(c.text);
  for (const int32_t answer : c.answers) platform.AnswerShellExecute({answer});

  dialog.Click("cmdExplorer");

  std::vector<Shell> expected;
  for (const std::string& file : c.explored) {
    expected.push_back(Shell{dialog.hWnd(), "Explore", file, "", "", 9});
  }
  EXPECT_EQ(platform.ShellCalls(), expected);
  if (c.message) {
    const Shown fallback{
        "An error occurred or this directory does not exist on your system:\r\n" + c.text,
        "Zarvelin", 48};
    EXPECT_EQ(platform.Messages(), std::vector<Shown>{fallback});
  } else {
    EXPECT_TRUE(platform.Messages().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyDialogExplorerTest,
    testing::Values(
        ExplorerCase{"Exists", R"(D:\Copies)", {42}, {R"(D:\Copies)"}, false},
        ExplorerCase{"LowestSuccess", R"(D:\Copies)", {33}, {R"(D:\Copies)"}, false},
        ExplorerCase{"Missing", R"(D:\Nowhere)", {2, 42}, {R"(D:\Nowhere)", "c:\\"}, true},
        ExplorerCase{"HighestFailure", R"(D:\Nowhere)", {32, 2}, {R"(D:\Nowhere)", "c:\\"}, true},
        ExplorerCase{"Empty", "", {42}, {R"(C:\Projects\Ledger)"}, false},
        ExplorerCase{"EmptyAndFailing", "", {0, 42}, {R"(C:\Projects\Ledger)", "c:\\"}, true}),
    [](const testing::TestParamInfo<ExplorerCase>& param) { return param.param.name; });

TEST_F(CopyDialogTest, HelpOpensTheReadmeBesideTheAddIn) {
  dialog.Load();
  platform.AnswerShellExecute({2});

  dialog.Click("cmdHelp");

  const std::vector<Shell> expected{
      Shell{dialog.hWnd(), "open", R"(C:\Program Files\Zarvelin\readme.wri)", "", "C:\\", 1}};
  EXPECT_EQ(platform.ShellCalls(), expected);
  EXPECT_TRUE(platform.Messages().empty());
}

struct CloseCase {
  std::string name;
  void (*press)(frmCopyProject&);
  bool closes;
};

class CopyDialogCloseTest : public CopyDialogTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CopyDialogCloseTest, ClosesThroughTheHost) {
  dialog.Load();
  GetParam().press(dialog);

  EXPECT_EQ(host.hidden, GetParam().closes ? std::vector<std::string>{"frmCopyProject"}
                                           : std::vector<std::string>{});
  EXPECT_EQ(dialog.IsVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CopyDialogCloseTest,
    testing::Values(CloseCase{"Exit", [](frmCopyProject& d) { d.Click("cmdExit"); }, true},
                    CloseCase{"Cancel", [](frmCopyProject& d) { d.Click("cmdCancel"); }, true},
                    CloseCase{"Escape", [](frmCopyProject& d) { d.PressEscape(); }, true},
                    CloseCase{"Enter", [](frmCopyProject& d) { d.PressEnter(); }, false},
                    CloseCase{"OK", [](frmCopyProject& d) { d.Click("cmdOK"); }, false}),
    [](const testing::TestParamInfo<CloseCase>& param) { return param.param.name; });

struct BrowseCase {
  std::string name;
  std::string before;
  std::optional<std::string> chosen;
  std::string after;
  std::vector<std::string> failures;
};

class CopyDialogBrowseTest : public CopyDialogTest,
                             public testing::WithParamInterface<BrowseCase> {};

TEST_P(CopyDialogBrowseTest, KeepsTheTextUnlessAFolderWasChosen) {
  const BrowseCase& c = GetParam();
  if (c.chosen) platform.ChooseFolder(c.chosen);
  dialog.Load();
  Ctl("txtDirectory").SetText(c.before);

  dialog.Click("cmdBrowse");

  EXPECT_EQ(Ctl("txtDirectory").Text(), c.after);
  EXPECT_EQ(failures, c.failures);
  if (!c.failures.empty()) return;
  const std::vector<std::string> expected{"BrowseForFolderDialog " + std::to_string(dialog.hWnd()) +
                                              " Select a Directory to Copy Project to:",
                                          "SendWindowMessage 32512 1126 -1 " + c.before};
  EXPECT_EQ(std::vector<std::string>(platform.Log().begin(), platform.Log().begin() + 2), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, CopyDialogBrowseTest,
    testing::Values(
        BrowseCase{"Chosen", R"(D:\Old)", R"(E:\New Place)", R"(E:\New Place)", {}},
        BrowseCase{"Cancelled", R"(D:\Old)", std::nullopt, R"(D:\Old)", {}},
        BrowseCase{"Blanks", R"(D:\Old)", "   ", R"(D:\Old)", {}},
        BrowseCase{
            "UnknownSpecialFolder", "99", "E:\\", "99", {"frmCopyProject.cmdBrowse_Click 32700"}}),
    [](const testing::TestParamInfo<BrowseCase>& param) { return param.param.name; });

TEST_F(CopyDialogTest, AboutLeavesTheTopmostStateWhileTheBoxShows) {
  std::vector<std::string> seenByAbout;
  windows.OnModal("frmAbout", [&](forms::Form& about) {
    seenByAbout = windows.CallsStartingWith("SetWindowPos");
    EXPECT_TRUE(about.Ctl("butOK").Visible());
    about.Click("butOK");
  });
  dialog.Load();

  dialog.Click("cmdAbout");

  EXPECT_EQ(windows.CallsStartingWith("RunModal"),
            std::vector<std::string>{"RunModal frmAbout frmCopyProject"});
  EXPECT_EQ(seenByAbout, std::vector<std::string>{"SetWindowPos frmCopyProject -2 0 0 0 0 19"});
  EXPECT_EQ(windows.CallsStartingWith("SetWindowPos"),
            (std::vector<std::string>{"SetWindowPos frmCopyProject -2 0 0 0 0 19",
                                      "SetWindowPos frmCopyProject -1 0 0 0 0 19"}));
  EXPECT_TRUE(windows.Topmost("frmCopyProject"));
  EXPECT_FALSE(windows.Window("frmAbout").exists);
}

TEST_F(CopyDialogTest, ANoProjectIdeIsReportedNotThrown) {
  ide.CloseProject();
  dialog.Load();
  dialog.Click("cmdRefresh");

  EXPECT_EQ(failures, (std::vector<std::string>{"frmCopyProject.Form_Load 91",
                                                "frmCopyProject.cmdRefresh_Click 91"}));
  EXPECT_TRUE(dialog.IsVisible());
}

}  // namespace
}  // namespace zarvelin
