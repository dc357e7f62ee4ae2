#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "runtime/VbError.h"
#include "support/mBrowseFolders.h"

namespace zarvelin {
namespace {

class BrowseFoldersTest : public testing::Test {
 protected:
  BrowseFoldersTest() { SetPlatform(&platform); }
  ~BrowseFoldersTest() override { SetPlatform(nullptr); }
  // The shell calls logged from the index on (the version reads for the family aside).
  std::vector<std::string> ShellCalls(size_t from) {
    std::vector<std::string> calls(platform.Log().begin() + static_cast<ptrdiff_t>(from),
                                   platform.Log().end());
    std::erase_if(calls, [](const std::string& call) { return call == "Version"; });
    return calls;
  }
  fakes::ScriptedPlatform platform;
};

const std::string kDoesNot = " operating system does not support this Special Folder constant: ";

struct FamilyCase {
  std::string name;
  uint32_t platformId, major;
  bool readable;
  std::string family;
  int32_t lastKnown;
  std::string refusal;  // of lastKnown + 1
};

class FamilyTest : public BrowseFoldersTest, public testing::WithParamInterface<FamilyCase> {};

TEST_P(FamilyTest, KnowsTheSpecialFoldersOfItsFamily) {
  const FamilyCase& c = GetParam();
  platform.VersionAnswer().platformId = c.platformId;
  platform.VersionAnswer().majorVersion = c.major;
  platform.VersionAnswer().basicCallSucceeds = c.readable;
  EXPECT_EQ(mBrowseFolders::GetOSFamily(), c.family);
  EXPECT_TRUE(mBrowseFolders::IsSpecialFolderSupported(c.lastKnown));
  EXPECT_TRUE(mBrowseFolders::IsSpecialFolderSupported(-5));
  EXPECT_FALSE(mBrowseFolders::IsSpecialFolderSupported(c.lastKnown + 1));
  EXPECT_EQ(mBrowseFolders::SpecialFolderErrorText(c.lastKnown + 1), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Families, FamilyTest,
    testing::Values(FamilyCase{"W2000", 2, 5, true, "2K", 48,
                               "Windows 2000" + kDoesNot + " (0x31)"},
                    FamilyCase{"NT4", 2, 4, true, "NT", 34,
                               "Windows NT" + kDoesNot + "CSIDL_COMMON_APPDATA (0x23)"},
                    FamilyCase{"Vista", 2, 6, true, "NT", 34,
                               "Windows NT" + kDoesNot + "CSIDL_COMMON_APPDATA (0x23)"},
                    FamilyCase{"W98", 1, 4, true, "9X", 21,
                               "Windows 9X" + kDoesNot + "CSIDL_COMMON_STARTMENU (0x16)"},
                    FamilyCase{"Unread", 2, 5, false, "9X", 21,
                               "Windows 9X" + kDoesNot + "CSIDL_COMMON_STARTMENU (0x16)"}),
    [](const auto& param) { return param.param.name; });

struct BrowseCase {
  std::string name;
  std::optional<mBrowseFolders::StartFolder> start;
  std::optional<std::string> choice;  // nothing: something that is no file-system folder
  std::string result;                 // or "<error number> <source>: <description>"
  std::string calls;                  // the shell's calls, " | " between
};

class BrowseTest : public BrowseFoldersTest, public testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, SelectsTheStartAndReleasesWhatTheShellGave) {
  platform.SetSpecialFolder(17, "My Computer");
  // A path before leaves the callback's mode at "path" for a start that names no item.
  mBrowseFolders::BrowseForFolder(1, "Before:", std::string("C:\\Before"));
  const size_t before = platform.Log().size();
  platform.ChooseFolder(GetParam().choice);

  std::string outcome;
  try {
    outcome = mBrowseFolders::BrowseForFolder(65536, "Select:", GetParam().start);
  } catch (const VbError& error) {
    outcome = std::to_string(error.Number()) + " " + error.Source() + ": " + error.Description();
  }
  EXPECT_EQ(outcome, GetParam().result);
  std::string calls;
  for (const std::string& call : ShellCalls(before)) {
    calls += (calls.empty() ? "" : " | ") + call;
  }
  EXPECT_EQ(calls, GetParam().calls);
}

const std::string kShown = "BrowseForFolderDialog 65536 Select: | ";
const std::string kSelect = "SendWindowMessage 32512 1126 ";
const std::string kDenied = " BrowseFolders.BrowseForFolder: ";

INSTANTIATE_TEST_SUITE_P(
    Starts, BrowseTest,
    testing::Values(BrowseCase{"Path", std::string("D:\\Nowhere"), "E:\\", "E:\\",
                               kShown + kSelect + "-1 D:\\Nowhere | FreeFolderItem 1"},
                    BrowseCase{"Empty", std::string(), "E:\\", "E:\\",
                               kShown + kSelect + "-1 0 | FreeFolderItem 1"},
                    BrowseCase{"NoFolder", std::nullopt, std::nullopt, "",
                               kShown + kSelect + "-1 0 | FreeFolderItem 1"},
                    BrowseCase{"Drives", std::string(" 17 "), "C:\\", "C:\\",
                               "SpecialFolderLocation 17 -> 1 | " + kShown + kSelect +
                                   "0 1 | FreeFolderItem 2 | FreeFolderItem 1"},
                    BrowseCase{"NumberHalfToEven", 16.5, "C:\\", "C:\\",
                               "SpecialFolderLocation 16 -> failed | " + kShown + kSelect +
                                   "-1 0 | FreeFolderItem 1"},
                    BrowseCase{"Unknown", std::string("99"), std::nullopt,
                               "32700" + kDenied + "Windows 2000" + kDoesNot + " (0x63)", ""},
                    BrowseCase{"BeyondLong", std::string("3e9"), std::nullopt,
                               "6" + kDenied + "Overflow", ""}),
    [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin
