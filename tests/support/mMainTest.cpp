#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "platform/Platform.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "runtime/Runtime.h"
#include "support/mMain.h"

namespace zarvelin {
namespace {

struct FilePathCase {
  std::string path;
  std::string directory;
};

class GetFilePathTest : public testing::TestWithParam<FilePathCase> {};

TEST_P(GetFilePathTest, KeepsEverythingBeforeTheRightmostSeparator) {
  EXPECT_EQ(mMain::GetFilePath(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GetFilePathTest,
    testing::Values(FilePathCase{R"(C:\Projects\App\App.vbp)", R"(C:\Projects\App)"},
                    FilePathCase{R"(C:\App.vbp)", "C:"}, FilePathCase{"C:App.vbp", "C:"},
                    FilePathCase{R"(C:\)", "C:"}, FilePathCase{R"(C:\Projects\)", R"(C:\Projects)"},
                    FilePathCase{R"(\\server\share\App.vbp)", R"(\\server\share)"},
                    FilePathCase{"", ""}, FilePathCase{R"(C:\Dir.x\File)", R"(C:\Dir.x)"},
                    FilePathCase{R"(D:Sub\App.vbp)", "D:Sub"}, FilePathCase{"App.vbp", ""},
                    FilePathCase{"Projects/App/App.vbp", ""},
                    FilePathCase{R"(C:\a/b\c.vbp)", R"(C:\a/b)"}));

struct DriveCase {
  std::string path;
  std::string root;  // the root the platform is asked about
  int32_t driveType;
  bool writable;
};

class IsWritableDriveTest : public testing::TestWithParam<DriveCase> {};

TEST_P(IsWritableDriveTest, RefusesOnlyCdRomDrives) {
  const DriveCase& c = GetParam();
  fakes::ScriptedPlatform platform;
  SetPlatform(&platform);
  platform.SetDefaultDriveType(drive::kNoRootDir);
  platform.SetDriveType(c.root, c.driveType);

  EXPECT_EQ(mMain::IsWritableDrive(c.path), c.writable);
  ASSERT_FALSE(platform.Log().empty());
  EXPECT_EQ(platform.Log().back(), "DriveType " + c.root);
  SetPlatform(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    DriveTypes, IsWritableDriveTest,
    testing::Values(DriveCase{R"(D:\Copies\App)", R"(D:\)", drive::kCdRom, false},
                    DriveCase{R"(E:\)", R"(E:\)", drive::kCdRom, false},
                    DriveCase{R"(A:\Copies)", R"(A:\)", drive::kRemovable, true},
                    DriveCase{R"(C:\Copies)", R"(C:\)", drive::kFixed, true},
                    DriveCase{R"(N:\Copies)", R"(N:\)", drive::kRemote, true},
                    DriveCase{R"(R:\Copies)", R"(R:\)", drive::kRamDisk, true},
                    DriveCase{R"(X:\Copies)", R"(X:\)", drive::kUnknown, true},
                    DriveCase{R"(Y:\Copies)", R"(Y:\)", 7, true},
                    DriveCase{R"(\\server\share\Copies)", R"(\\\)", drive::kNoRootDir, true},
                    DriveCase{R"(Copies\App)", R"(Co\)", drive::kNoRootDir, true},
                    DriveCase{"Q", R"(Q\)", drive::kCdRom, false}));

struct ExistsCase {
  std::string name;
  std::string path;  // below the test directory
  bool exists;
};

class DirectoryExistsTest : public testing::TestWithParam<ExistsCase> {};

TEST_P(DirectoryExistsTest, IsTrueOnlyForAnExistingDirectory) {
  fakes::TempDir temp;
  temp.MakeDirectory("Copies/Sub Dir");
  temp.Write("Copies/App.vbp", "Type=Exe\r\n");
  headless::PathMapper paths;
  headless::HostFileSystem files(paths);
  ScopedRuntime runtime(Runtime{&files, nullptr, {}});
  fakes::ScriptedPlatform platform;
  SetPlatform(&platform);

  EXPECT_EQ(mMain::DirectoryExists(temp.VbPath() + "\\" + GetParam().path), GetParam().exists);
  EXPECT_TRUE(platform.Messages().empty());
  SetPlatform(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Paths, DirectoryExistsTest,
                         testing::Values(ExistsCase{"Directory", "Copies", true},
                                         ExistsCase{"WithBlank", R"(Copies\Sub Dir)", true},
                                         ExistsCase{"OtherLetterCase", R"(COPIES\sub dir)", true},
                                         ExistsCase{"File", R"(Copies\App.vbp)", false},
                                         ExistsCase{"Missing", R"(Copies\Nowhere)", false},
                                         ExistsCase{"BelowAFile", R"(Copies\App.vbp\Sub)", false},
                                         ExistsCase{"SlashInName", "Copies/Sub Dir", false}),
                         [](const testing::TestParamInfo<ExistsCase>& param) {
                           return param.param.name;
                         });

TEST(DirectoryExistsWithoutFiles, IsFalse) {
  ScopedRuntime runtime(Runtime{});
  EXPECT_FALSE(mMain::DirectoryExists(R"(C:\Copies)"));
}

}  // namespace
}  // namespace zarvelin
