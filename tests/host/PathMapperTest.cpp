#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/host/TempDir.h"
#include "host/PathMapper.h"

namespace zarvelin::host {
namespace {

using fakes::TempDir;

class PathMapperTest : public testing::Test {
 protected:
  PathMapperTest() { tree.MakeDirectory("c/work"); }
  TempDir tree;
};

// What Z: shows of a host path outside every configured directory.
std::string OnDriveZ(std::string host) {
  std::replace(host.begin(), host.end(), '/', '\\');
  return "Z:" + host;
}

TEST_F(PathMapperTest, WorkingDirectoryDefaultsToTheHostsOwn) {
  const std::string before = std::filesystem::current_path().string();
  std::filesystem::current_path(tree.HostPath("c/work"));
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  const PathMapper mapper(config);
  std::filesystem::current_path(before);
  EXPECT_EQ(mapper.Absolute("sub\\f.frm"), "C:\\work\\sub\\f.frm");
  EXPECT_EQ(mapper.ToVb("relative/name"), OnDriveZ(before + "/relative/name"));
}

}  // namespace
}  // namespace zarvelin::host
