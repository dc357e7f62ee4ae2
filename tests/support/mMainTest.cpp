#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "support/mMain.h"

namespace zarvelin {
namespace {

TEST(GetFilePath, KeepsEverythingBeforeTheRightmostBackslashOrAfterTheDriveColon) {
  const struct {
    std::string path;
    std::string directory;
  } cases[] = {{R"(C:\Projects\App\App.vbp)", R"(C:\Projects\App)"},
               {R"(C:\App.vbp)", "C:"},
               {"C:App.vbp", "C:"},
               {R"(C:\Projects\)", R"(C:\Projects)"},
               {R"(\\server\share\App.vbp)", R"(\\server\share)"},
               {"", ""},
               {R"(D:Sub\App.vbp)", "D:Sub"},
               {"App.vbp", ""},
               {"Projects/App/App.vbp", ""},
               {R"(C:\a/b\c.vbp)", R"(C:\a/b)"}};
  for (const auto& c : cases) EXPECT_EQ(mMain::GetFilePath(c.path), c.directory) << c.path;
}

class mMainTest : public testing::Test {
 protected:
  mMainTest() { SetPlatform(&platform); }
  ~mMainTest() override { SetPlatform(nullptr); }

  fakes::ScriptedPlatform platform;
};

// The platform is asked about the first two characters and a backslash.
TEST_F(mMainTest, IsWritableDriveRefusesOnlyCdRomDrives) {
  const struct {
    std::string path;
    std::string root;
    int32_t driveType;
  } cases[] = {{R"(D:\Copies\App)", R"(D:\)", drive::kCdRom},
               {R"(A:\Copies)", R"(A:\)", drive::kRemovable},
               {R"(C:\Copies)", R"(C:\)", drive::kFixed},
               {R"(N:\Copies)", R"(N:\)", drive::kRemote},
               {R"(R:\Copies)", R"(R:\)", drive::kRamDisk},
               {R"(X:\Copies)", R"(X:\)", drive::kUnknown},
               {R"(\\server\share\Copies)", R"(\\\)", drive::kNoRootDir},
               {"Q", R"(Q\)", drive::kCdRom}};
  platform.SetDefaultDriveType(drive::kNoRootDir);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    platform.SetDriveType(c.root, c.driveType);
    EXPECT_EQ(mMain::IsWritableDrive(c.path), c.driveType != drive::kCdRom);
    EXPECT_EQ(platform.Log().back(), "DriveType " + c.root);
  }
}

TEST_F(mMainTest, DirectoryExistsOnlyForAnExistingDirectoryInAnyLetterCase) {
  fakes::TempDir temp;
  temp.MakeDirectory("Copies/Sub Dir");
  temp.Write("Copies/App.vbp", "Type=Exe\r\n");
  host::PathMapper paths;
  host::HostFileSystem files(paths);
  ScopedRuntime runtime(Runtime{&files, nullptr, {}});
  const struct {
    std::string path;  // below the test directory
    bool exists;
  } cases[] = {{"Copies", true},
               {R"(COPIES\sub dir)", true},
               {R"(Copies\App.vbp)", false},
               {R"(Copies\Nowhere)", false},
               {R"(Copies\App.vbp\Sub)", false},
               {"Copies/Sub Dir", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(mMain::DirectoryExists(temp.VbPath() + "\\" + c.path), c.exists) << c.path;
  }
  EXPECT_TRUE(platform.Messages().empty());
}

TEST(DirectoryExistsWithoutFiles, IsFalse) {
  ScopedRuntime runtime(Runtime{});
  EXPECT_FALSE(mMain::DirectoryExists(R"(C:\Copies)"));
}

}  // namespace
}  // namespace zarvelin
