#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "addin/Connect.h"
#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using filebacked::FileBackedCommandBarControl;

const fakes::ScriptedPlatform::SettingKey kSetting{"Zarvelin", "Microsoft Visual Basic AddIns",
                                                   "DisplayOnConnect frmCopyProject"};

// Fails the n-th face put on the clipboard, or every use of the setting.
class FailingPlatform : public fakes::ScriptedPlatform {
 public:
  int32_t failFace = 0;
  bool failSettings = false;

  void ClipboardSetBitmap(int32_t id) override {
    if (++faces_ == failFace) throw VbError(521, "Can't open Clipboard");
    ScriptedPlatform::ClipboardSetBitmap(id);
  }
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) override {
    return failSettings ? throw VbError(vberr::kPermissionDenied)
                        : ScriptedPlatform::GetSetting(app, section, key, value);
  }
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override {
    failSettings ? throw VbError(vberr::kPermissionDenied)
                 : ScriptedPlatform::SaveSetting(app, section, key, value);
  }

 private:
  int32_t faces_ = 0;
};

class ConnectTest : public testing::Test {
 protected:
  ConnectTest() {
    env.dir.Write("Ledger/Ledger.vbp", "Type=Exe\r\nName=\"Ledger\"\r\n");
    ide = filebacked::OpenFileBackedIde(env.dir.VbPath("Ledger\\Ledger.vbp"), {});
    SetPlatform(&platform);
    platform.PutOnClipboard("the user's text", 7);
  }

  void Connect(int32_t mode) { connect->OnConnection(ide.get(), mode, addIn, {}); }
  // Our entries on the File menu, the Add-Ins menu and the toolbar, each as "position caption
  // style temporary face"; clicks each of them when asked.
  std::vector<std::string> Ours(bool click = false) {
    std::vector<std::string> entries;
    for (const char* bar : {"File", "Add-Ins", "Standard"}) {
      ide::CommandBarControls& controls = ide->Bars().Item(bar)->Controls();
      for (int32_t i = 1; i <= controls.Count(); ++i) {
        auto& control = dynamic_cast<FileBackedCommandBarControl&>(*controls.Item(i));
        if (control.Caption().rfind("Zarvelin", 0) != 0) continue;
        if (click) control.Click();
        entries.push_back(std::string(bar) + " " + std::to_string(i) + " " + control.Caption() +
                          " " + std::to_string(control.Style()) + " " +
                          std::to_string(control.Temporary()) + " " + control.Face().value_or("-"));
      }
    }
    return entries;
  }
  bool DialogOpen() { return env.windows.IsVisible("frmCopyProject"); }

  fakes::TestEnvironment env;
  FailingPlatform platform;
  std::unique_ptr<filebacked::FileBackedVBE> ide;
  std::shared_ptr<ide::AddIn> addIn =
      std::make_shared<filebacked::FileBackedAddIn>(filebacked::AddInEntry{"Zarvelin.Connect", true});
  std::unique_ptr<zarvelin::Connect> connect = std::make_unique<zarvelin::Connect>();
};

const std::vector<std::string> kEntries{"File 7 Zarvelin ... 3 1 101",
                                        "Add-Ins 3 Zarvelin ... 3 0 101",
                                        "Standard 16 Zarvelin 1 0 101"};

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
  EXPECT_EQ(Ours().size(), GetParam().entries ? 3u : 0u);
  EXPECT_EQ(DialogOpen(), GetParam().dialog);

  if (!GetParam().entries) connect->OnStartupComplete({});
  EXPECT_EQ(Ours(), kEntries);
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
  Ours(true);
  Ours(true);
  EXPECT_EQ(env.windows.Window("frmCopyProject").createdCount, 1);
  ASSERT_TRUE(DialogOpen());

  connect->OnDisconnection(0, {});
  EXPECT_EQ(platform.Settings()[kSetting], "1");
  EXPECT_TRUE(Ours().empty());
  EXPECT_FALSE(env.windows.Window("frmCopyProject").exists);
  EXPECT_FALSE(connect->Connected() || connect->Dialog());

  Connect(connectmode::kAfterStartup);
  ASSERT_TRUE(DialogOpen());
  connect->Dialog()->Click("cmdExit");
  connect->OnDisconnection(0, {});
  EXPECT_EQ(platform.Settings()[kSetting], "0");
  EXPECT_TRUE(env.Failures().empty());
}

struct FailureCase {
  std::string name;
  int32_t failFace;
  bool failSettings, entryGone;  // entryGone: the Add-Ins entry is deleted before disconnecting
  std::string message;
  std::vector<std::string> entries, left;  // after connecting, after disconnecting
};

class ConnectFailureTest : public ConnectTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(ConnectFailureTest, SaysSoKeepsWhatWasMadeAndStillDisconnects) {
  const FailureCase& c = GetParam();
  platform.failFace = c.failFace;
  platform.failSettings = c.failSettings;
  Connect(connectmode::kAfterStartup);
  const auto& shown = platform.Messages();
  EXPECT_EQ(shown.empty()
                ? ""
                : std::to_string(shown[0].style) + " " + shown[0].title + ": " + shown[0].text,
            c.message);
  EXPECT_EQ(Ours(), c.entries);
  EXPECT_EQ(platform.ClipboardText(), "the user's text");
  EXPECT_TRUE(connect->Connected());

  Ours(true);
  if (c.entryGone) ide->Bars().Item("Add-Ins")->Controls().Item(3)->Delete();
  platform.failSettings = true;
  connect->OnDisconnection(0, {});
  EXPECT_EQ(Ours(), c.left);
  EXPECT_FALSE(connect->Connected() || connect->Dialog());
  EXPECT_FALSE(env.windows.Window("frmCopyProject").exists);
}

const std::string kNoFace = "Add-Ins 3 Zarvelin ... 3 0 -";
INSTANTIATE_TEST_SUITE_P(
    Steps, ConnectFailureTest,
    testing::Values(FailureCase{"SecondFace",
                                2,
                                false,
                                false,
                                "16 Zarvelin: Unable to create necessary menu items",
                                {kEntries[0], kNoFace},
                                {kEntries[0], kNoFace}},
                    FailureCase{"SettingRead",
                                0,
                                true,
                                false,
                                "16 Zarvelin: Unable to correctly connect the add-in",
                                kEntries,
                                {}},
                    FailureCase{"EntryGone", 0, false, true, "", kEntries, {kEntries[0]}}),
    [](const auto& param) { return param.param.name; });

// Bitmap 101, the entries' face, as the Windows build links it: 16 x 16 pixels, 4 bits each.
TEST(EntryFace, IsA16By16PictureIn16Colours) {
  std::ifstream file(ZARVELIN_ADDIN_RESOURCES "/EntryFace.bmp", std::ios::binary);
  const std::string bmp{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(bmp.size(), 14u + 40 + 16 * 4 + 16 * 16 / 2);
  EXPECT_EQ(bmp.substr(0, 2) + bmp.substr(18, 1) + bmp.substr(22, 1) + bmp.substr(28, 1),
            std::string("BM\x10\x10\x04"));
  std::ifstream rc(ZARVELIN_ADDIN_RESOURCES "/Zarvelin.rc");
  EXPECT_NE(
      std::string(std::istreambuf_iterator<char>(rc), {}).find("101 BITMAP \"EntryFace.bmp\""),
      std::string::npos);
}

}  // namespace
}  // namespace zarvelin
