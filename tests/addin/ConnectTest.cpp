#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/Connect.h"
#include "fakes/TestEnvironment.h"
#include "platform/headless/FileBackedIde.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using headless::FileBackedCommandBarControl;
using Shown = fakes::ScriptedPlatform::ShownMessage;

const fakes::ScriptedPlatform::SettingKey kSetting{"Zarvelin", "Microsoft Visual Basic AddIns",
                                                   "DisplayOnConnect frmCopyProject"};

// Fails the n-th face put on the clipboard, or every read or write of the setting.
class FailingPlatform : public fakes::ScriptedPlatform {
 public:
  int32_t failFace = 0;
  bool failRead = false;
  bool failWrite = false;

  void ClipboardSetBitmap(int32_t id) override {
    if (++faces_ == failFace) throw VbError(521, "Can't open Clipboard");
    ScriptedPlatform::ClipboardSetBitmap(id);
  }
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) override {
    if (failRead) throw VbError(vberr::kPermissionDenied);
    return ScriptedPlatform::GetSetting(app, section, key, value);
  }
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override {
    if (failWrite) throw VbError(vberr::kPermissionDenied);
    ScriptedPlatform::SaveSetting(app, section, key, value);
  }

 private:
  int32_t faces_ = 0;
};

class ConnectTest : public testing::Test {
 protected:
  ConnectTest() {
    env.dir.Write("Ledger/Ledger.vbp", "Type=Exe\r\nName=\"Ledger\"\r\n");
    ide = headless::OpenFileBackedIde(env.dir.VbPath("Ledger\\Ledger.vbp"), {});
    SetPlatform(&platform);
    platform.PutOnClipboard("the user's text", 7);
  }

  void Connect(int32_t mode) { connect->OnConnection(ide.get(), mode, addIn, {}); }

  // Our entries on a bar: "position caption style temporary face" each.
  std::vector<std::string> Ours(const std::string& bar) {
    std::vector<std::string> entries;
    ide::CommandBarControls& controls = ide->Bars().Item(bar)->Controls();
    for (int32_t i = 1; i <= controls.Count(); ++i) {
      auto& control = dynamic_cast<FileBackedCommandBarControl&>(*controls.Item(i));
      if (control.Caption().rfind("Zarvelin", 0) != 0) continue;
      entries.push_back(std::to_string(i) + " " + control.Caption() + " " +
                        std::to_string(control.Style()) + " " +
                        std::to_string(control.Temporary()) + " " + control.Face().value_or("-"));
    }
    return entries;
  }
  void ClickAll() {
    for (const char* bar : {"File", "Add-Ins", "Standard"}) {
      ide::CommandBarControls& controls = ide->Bars().Item(bar)->Controls();
      for (int32_t i = 1; i <= controls.Count(); ++i) {
        auto& control = dynamic_cast<FileBackedCommandBarControl&>(*controls.Item(i));
        if (control.Caption().rfind("Zarvelin", 0) == 0) control.Click();
      }
    }
  }
  bool DialogOpen() { return env.windows.IsVisible("frmCopyProject"); }

  fakes::TestEnvironment env;
  FailingPlatform platform;
  std::unique_ptr<headless::FileBackedVBE> ide;
  std::shared_ptr<ide::AddIn> addIn =
      std::make_shared<headless::FileBackedAddIn>(headless::AddInEntry{"Zarvelin.Connect", true});
  std::unique_ptr<zarvelin::Connect> connect = std::make_unique<zarvelin::Connect>();
};

const std::vector<std::string> kFileEntry{"7 Zarvelin ... 3 1 101"};
const std::vector<std::string> kAddInsEntry{"3 Zarvelin ... 3 0 101"};
const std::vector<std::string> kStandardEntry{"16 Zarvelin 1 0 101"};

struct ModeCase {
  std::string name;
  int32_t mode;
  bool entries;
  bool dialog;
};

class ConnectModeTest : public ConnectTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(ConnectModeTest, MakesTheEntriesOnceAndGivesTheClipboardBack) {
  Connect(GetParam().mode);
  Connect(connectmode::kAfterStartup);

  EXPECT_EQ(Ours("File").size(), GetParam().entries ? 1u : 0u);
  EXPECT_EQ(DialogOpen(), GetParam().dialog);
  if (!GetParam().entries) connect->OnStartupComplete({});
  EXPECT_EQ(Ours("File"), kFileEntry);
  EXPECT_EQ(Ours("Add-Ins"), kAddInsEntry);
  EXPECT_EQ(Ours("Standard"), kStandardEntry);
  EXPECT_EQ(platform.ClipboardText(), "the user's text");
  EXPECT_EQ(platform.ClipboardBitmap(), 7);
  EXPECT_TRUE(platform.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ConnectModeTest,
                         testing::Values(ModeCase{"AfterStartup", 0, true, false},
                                         ModeCase{"Startup", 1, false, false},
                                         ModeCase{"External", 2, true, true},
                                         ModeCase{"CommandLine", 3, true, false}),
                         [](const auto& param) { return param.param.name; });

TEST_F(ConnectTest, ClicksShowOneDialogWhichTheNextStartupReopens) {
  Connect(connectmode::kAfterStartup);
  ClickAll();
  ClickAll();
  EXPECT_EQ(env.windows.Window("frmCopyProject").createdCount, 1);
  ASSERT_TRUE(DialogOpen());

  connect->OnDisconnection(0, {});
  EXPECT_EQ(platform.Settings()[kSetting], "1");
  EXPECT_TRUE(Ours("File").empty() && Ours("Add-Ins").empty() && Ours("Standard").empty());
  EXPECT_FALSE(env.windows.Window("frmCopyProject").exists);
  EXPECT_EQ(connect->Dialog(), nullptr);
  EXPECT_FALSE(connect->Connected());

  Connect(connectmode::kAfterStartup);
  ASSERT_TRUE(DialogOpen());
  connect->Dialog()->Click("cmdExit");
  connect->OnDisconnection(0, {});
  EXPECT_EQ(platform.Settings()[kSetting], "0");
  EXPECT_TRUE(env.Failures().empty());
}

struct FailureCase {
  std::string name;
  void (*arrange)(FailingPlatform&);
  std::string message;
  std::vector<std::vector<std::string>> entries;  // File, Add-Ins, Standard
};

class ConnectFailureTest : public ConnectTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(ConnectFailureTest, SaysSoKeepsWhatWasMadeAndStillDisconnects) {
  GetParam().arrange(platform);
  Connect(connectmode::kAfterStartup);

  EXPECT_EQ(platform.Messages(), (std::vector<Shown>{{GetParam().message, "Zarvelin", 16}}));
  EXPECT_EQ((std::vector{Ours("File"), Ours("Add-Ins"), Ours("Standard")}), GetParam().entries);
  EXPECT_EQ(platform.ClipboardText(), "the user's text");
  EXPECT_TRUE(connect->Connected());

  ClickAll();
  platform.failWrite = true;
  connect->OnDisconnection(0, {});
  EXPECT_FALSE(connect->Connected());
  EXPECT_EQ(connect->Dialog(), nullptr);
  EXPECT_FALSE(env.windows.Window("frmCopyProject").exists);
}

INSTANTIATE_TEST_SUITE_P(Steps, ConnectFailureTest,
                         testing::Values(FailureCase{"SecondFace",
                                                     [](FailingPlatform& p) { p.failFace = 2; },
                                                     "Unable to create necessary menu items",
                                                     {kFileEntry, {"3 Zarvelin ... 3 0 -"}, {}}},
                                         FailureCase{"SettingRead",
                                                     [](FailingPlatform& p) { p.failRead = true; },
                                                     "Unable to correctly connect the add-in",
                                                     {kFileEntry, kAddInsEntry, kStandardEntry}}),
                         [](const auto& param) { return param.param.name; });

TEST_F(ConnectTest, AFailedDeletionEndsOnlyTheEntriesPartOfDisconnecting) {
  Connect(connectmode::kAfterStartup);
  ClickAll();
  ide->Bars().Item("Add-Ins")->Controls().Item(3)->Delete();

  connect->OnDisconnection(0, {});

  EXPECT_TRUE(Ours("Standard").empty());
  EXPECT_EQ(Ours("File"), kFileEntry);
  EXPECT_EQ(platform.Settings()[kSetting], "1");
  EXPECT_EQ(connect->Dialog(), nullptr);
  EXPECT_FALSE(connect->Connected());
}

}  // namespace
}  // namespace zarvelin
