#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "HostTree.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/TerminalPlatform.h"
#include "support/mBrowseFolders.h"

namespace zarvelin::headless {
namespace {

using testing_support::HostTree;

class TerminalDialogTest : public testing::Test {
 protected:
  TerminalDialogTest() : paths(Config(tree)), files(paths) {
    tree.MakeDirectory("c/proj/docs");
    tree.Write("c/proj/readme.wri", "x");
    options.settingsDirectory = tree.Path("settings");
    options.messages = &shown;
    options.answers = &typed;
  }
  static PathMapperConfig Config(const HostTree& tree) {
    PathMapperConfig config;
    config.drives = {{'C', tree.Path("c")}};
    return config;
  }

  HostTree tree;
  PathMapper paths;
  HostFileSystem files;
  std::ostringstream shown;
  std::istringstream typed;
  TerminalOptions options;
};

struct DialogCase {
  std::string name;
  std::string typed;  // "{c}" stands for the host directory of drive C:
  std::optional<std::string> start;
  std::string chosen;
};

class TerminalFolderTest : public TerminalDialogTest,
                           public testing::WithParamInterface<DialogCase> {};

TEST_P(TerminalFolderTest, AsksForTheFolderOnTheTerminal) {
  std::string answer = GetParam().typed;
  if (const size_t at = answer.find("{c}"); at != std::string::npos) {
    answer.replace(at, 3, tree.Path("c"));
  }
  typed.str(answer);
  TerminalPlatform platform(paths, files, options);
  SetPlatform(&platform);

  const std::string chosen =
      mBrowseFolders::BrowseForFolder(0, "Select a Directory:", GetParam().start);
  SetPlatform(nullptr);

  EXPECT_EQ(chosen, GetParam().chosen);
  EXPECT_EQ(shown.str().rfind("Select a Directory:\n", 0), 0u) << shown.str();
  if (GetParam().start) {
    EXPECT_NE(shown.str().find("[" + *GetParam().start + "]"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TerminalFolderTest,
    testing::Values(DialogCase{"ShownFolder", "\n", "C:\\proj", "C:\\proj"},
                    DialogCase{"TypedPath", " C:\\proj\\docs \n", "C:\\proj", "C:\\proj\\docs"},
                    DialogCase{"TypedHostPath", "{c}/proj/docs\n", std::nullopt, "C:\\proj\\docs"},
                    DialogCase{"NoFolder", "C:\\proj\\readme.wri\n", std::nullopt, ""},
                    DialogCase{"NothingShown", "\n", std::nullopt, ""},
                    DialogCase{"EndOfInput", "", "C:\\proj", ""}),
    [](const auto& param) { return param.param.name; });

TEST_F(TerminalDialogTest, CompactsAPathByAverageCharacterWidths) {
  TerminalPlatform platform(paths, files, options);
  const std::string path = "C:\\Program Files\\Zarvelin\\Zarvelin.dll";
  EXPECT_EQ(platform.CompactPath(0, path, 300), path);
  EXPECT_EQ(platform.CompactPath(0, path, 150), "C:\\Program ...\\Zarvelin.dll");
  EXPECT_EQ(platform.CompactPath(0, path, 50), "...\\Zarvelin.dll");
}

TEST_F(TerminalDialogTest, DeletingASettingLeavesTheOthers) {
  TerminalPlatform platform(paths, files, options);
  platform.SaveSetting("Zarvelin", "AddIns", "first", "1");
  platform.SaveSetting("Zarvelin", "AddIns", "second", "2");
  platform.DeleteSetting("zarvelin", "addins", "FIRST");
  platform.DeleteSetting("Zarvelin", "AddIns", "never written");
  EXPECT_EQ(platform.GetSetting("Zarvelin", "AddIns", "first", "gone"), "gone");
  EXPECT_EQ(platform.GetSetting("Zarvelin", "AddIns", "second", ""), "2");
}

}  // namespace
}  // namespace zarvelin::headless
