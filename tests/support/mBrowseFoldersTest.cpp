#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"
#include "support/mBrowseFolders.h"

namespace zarvelin {
namespace {

using Sent = fakes::ScriptedPlatform::SentMessage;
constexpr intptr_t kDialog = fakes::ScriptedPlatform::kFolderDialogWindow;

struct FamilyCase {
  std::string name;
  VersionRecord version;
  std::string family;
  int32_t lastKnown;
  std::string refusal;  // SpecialFolderErrorText(lastKnown + 1)
};

class PlatformTest : public testing::Test {
 protected:
  PlatformTest() { SetPlatform(&platform); }
  ~PlatformTest() override { SetPlatform(nullptr); }
  fakes::ScriptedPlatform platform;
};

class FamilyTest : public PlatformTest, public testing::WithParamInterface<FamilyCase> {};

VersionRecord Windows(uint32_t platformId, uint32_t major, bool readable = true) {
  VersionRecord version;
  version.basicCallSucceeds = readable;
  version.platformId = platformId;
  version.majorVersion = major;
  return version;
}

TEST_P(FamilyTest, KnowsTheSpecialFoldersOfItsFamily) {
  const FamilyCase& c = GetParam();
  platform.VersionAnswer() = c.version;
  EXPECT_EQ(mBrowseFolders::GetOSFamily(), c.family);
  EXPECT_TRUE(mBrowseFolders::IsSpecialFolderSupported(c.lastKnown));
  EXPECT_TRUE(mBrowseFolders::IsSpecialFolderSupported(-5));
  EXPECT_FALSE(mBrowseFolders::IsSpecialFolderSupported(c.lastKnown + 1));
  EXPECT_EQ(mBrowseFolders::SpecialFolderErrorText(c.lastKnown + 1), c.refusal);
}

const std::string kDoesNot = " operating system does not support this Special Folder constant: ";

INSTANTIATE_TEST_SUITE_P(
    Families, FamilyTest,
    testing::Values(FamilyCase{"Windows2000", Windows(2, 5), "2K", 48,
                               "Windows 2000" + kDoesNot + " (0x31)"},
                    FamilyCase{"NT4", Windows(2, 4), "NT", 34,
                               "Windows NT" + kDoesNot + "CSIDL_COMMON_APPDATA (0x23)"},
                    FamilyCase{"Vista", Windows(2, 6), "NT", 34,
                               "Windows NT" + kDoesNot + "CSIDL_COMMON_APPDATA (0x23)"},
                    FamilyCase{"Windows98", Windows(1, 4), "9X", 21,
                               "Windows 9X" + kDoesNot + "CSIDL_COMMON_STARTMENU (0x16)"},
                    FamilyCase{"Unreadable", Windows(2, 5, false), "9X", 21,
                               "Windows 9X" + kDoesNot + "CSIDL_COMMON_STARTMENU (0x16)"}),
    [](const auto& param) { return param.param.name; });

struct BrowseCase {
  std::string name;
  std::optional<mBrowseFolders::StartFolder> start;
  std::optional<std::string> choice;  // nothing: the user picks something that is no folder
  std::string result;
  Sent selection;
};

class BrowseTest : public PlatformTest, public testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, SelectsTheStartAndAnswersTheChosenFolder) {
  const BrowseCase& c = GetParam();
  platform.SetSpecialFolder(17, "My Computer");
  // A path start earlier leaves the mode at "path" for starts that name no item.
  mBrowseFolders::BrowseForFolder(1, "Earlier", std::string("C:\\Earlier"));
  c.choice ? platform.ChooseFolder(*c.choice) : platform.ChooseNonFolder();

  EXPECT_EQ(mBrowseFolders::BrowseForFolder(0x10000, "Select:", c.start), c.result);

  ASSERT_EQ(platform.FolderDialogs().size(), 2u);
  EXPECT_EQ(platform.FolderDialogs()[1].owner, 0x10000);
  EXPECT_EQ(platform.FolderDialogs()[1].title, "Select:");
  Sent sent = platform.SentMessages().back();
  // A path goes by its address: the text found there stands for it.
  if (!sent.text.empty()) sent.lParam = 0;
  EXPECT_EQ(sent, c.selection);
  EXPECT_EQ(platform.SentMessages().size(), 2u);
  EXPECT_EQ(platform.FolderItemsHeld(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, BrowseTest,
    testing::Values(
        BrowseCase{"Path",
                   std::string("D:\\Nowhere"),
                   "E:\\Copies",
                   "E:\\Copies",
                   {kDialog, 0x466, -1, 0, "D:\\Nowhere"}},
        BrowseCase{"Empty", std::string(), "E:\\Copies", "E:\\Copies", {kDialog, 0x466, -1, 0, ""}},
        BrowseCase{"Absent", std::nullopt, std::nullopt, "", {kDialog, 0x466, -1, 0, ""}},
        BrowseCase{"Drives", std::string(" 17 "), "C:\\", "C:\\", {kDialog, 0x466, 0, 1, ""}},
        BrowseCase{"DrivesAsNumber", 17.4, "C:\\", "C:\\", {kDialog, 0x466, 0, 1, ""}},
        BrowseCase{"NoSuchItem", std::string("3"), std::nullopt, "", {kDialog, 0x466, -1, 0, ""}}),
    [](const auto& param) { return param.param.name; });

struct RefusedCase {
  std::string name;
  std::string start;
  int32_t number;
};

class RefusedTest : public PlatformTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedTest, FailsToTheCallerWithoutShowingTheDialog) {
  try {
    mBrowseFolders::BrowseForFolder(0, "Select:", GetParam().start);
    ADD_FAILURE() << "no failure";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), GetParam().number);
    EXPECT_EQ(error.Source(), "BrowseFolders.BrowseForFolder");
    if (error.Number() == 32700) {
      EXPECT_EQ(error.Description(), "Windows 2000" + kDoesNot + " (0x63)");
    }
  }
  EXPECT_TRUE(platform.FolderDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Numbers, RefusedTest,
                         testing::Values(RefusedCase{"Unnamed", "99", 32700},
                                         RefusedCase{"BeyondLong", "3e9", 6}),
                         [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin
