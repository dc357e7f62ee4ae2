#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "platform/Platform.h"
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

}  // namespace
}  // namespace zarvelin
