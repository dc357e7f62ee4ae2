#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/FaultyFileSystem.h"
#include "fakes/TestEnvironment.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

// Runs one operation of the file system on the environment's files "a.txt" and "b.txt".
using Operation = std::function<void(FileSystem&, const TempDir&)>;

struct FaultCase {
  const char* name;
  FileOp op;
  Operation run;
};

int32_t ErrorOf(const Operation& run, FileSystem& files, const TempDir& dir) {
  try {
    run(files, dir);
  } catch (const VbError& error) {
    return error.Number();
  }
  return 0;
}

class FaultyFileSystemFaults : public ::testing::TestWithParam<FaultCase> {
 protected:
  void SetUp() override {
    env.dir.Write("a.txt", "alpha\r\n");
    env.dir.Write("b.txt", "beta\r\n");
  }
  TestEnvironment env;
};

TEST_P(FaultyFileSystemFaults, FailsOnlyTheChosenOperationAndPathAsOftenAsTold) {
  const FaultCase& c = GetParam();
  env.files.Fail(c.op, vberr::kDiskFull, "elsewhere.txt");
  env.files.Fail(c.op == FileOp::Delete ? FileOp::Copy : FileOp::Delete, vberr::kDiskFull);
  EXPECT_EQ(ErrorOf(c.run, env.files, env.dir), 0);

  env.files.Fail(c.op, vberr::kDiskFull, "a.txt");
  EXPECT_EQ(ErrorOf(c.run, env.files, env.dir), vberr::kDiskFull);
  EXPECT_EQ(env.files.FailuresRaised(), 1);
  EXPECT_EQ(ErrorOf(c.run, env.files, env.dir), 0);

  env.files.Fail(c.op, vberr::kPermissionDenied, {}, FaultyFileSystem::Times::Always);
  EXPECT_EQ(ErrorOf(c.run, env.files, env.dir), vberr::kPermissionDenied);
  EXPECT_EQ(ErrorOf(c.run, env.files, env.dir), vberr::kPermissionDenied);
}

// Writing and flushing faults are pinned by the project file rewrite's tests.
INSTANTIATE_TEST_SUITE_P(
    Cases, FaultyFileSystemFaults,
    ::testing::Values(FaultCase{"Copy", FileOp::Copy,
                                [](FileSystem& files, const TempDir& dir) {
                                  files.Copy(dir.VbPath("a.txt"), dir.VbPath("c.txt"));
                                }},
                      FaultCase{"ReadLine", FileOp::ReadLine,
                                [](FileSystem& files, const TempDir& dir) {
                                  files.OpenText(dir.VbPath("a.txt"))->ReadLine();
                                }},
                      FaultCase{"RenameByEitherPath", FileOp::Rename,
                                [](FileSystem& files, const TempDir& dir) {
                                  files.Rename(dir.VbPath("b.txt"), dir.VbPath("a.txt.new"));
                                  files.Rename(dir.VbPath("a.txt.new"), dir.VbPath("b.txt"));
                                }}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FaultyFileSystem, AFailedOperationLeavesTheDiskAlone) {
  TestEnvironment env;
  env.dir.Write("a.txt", "alpha");
  env.files.Fail(FileOp::Copy, vberr::kDiskFull);
  EXPECT_THROW(env.files.Copy(env.dir.VbPath("a.txt"), env.dir.VbPath("c.txt")), VbError);
  EXPECT_FALSE(env.dir.Exists("c.txt"));
  EXPECT_EQ(env.files.Calls().back(),
            "Copy " + env.dir.VbPath("a.txt") + " -> " + env.dir.VbPath("c.txt"));
}

}  // namespace
}  // namespace zarvelin::fakes
