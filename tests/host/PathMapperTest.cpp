#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/host/TempDir.h"
#include "host/PathMapper.h"
#include "runtime/VbError.h"

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

// A "/" or a NUL inside a name would reach the host as a separator or an end: such a name is
// refused whether the folder's listing is held or read step by step.
TEST_F(PathMapperTest, ANameHoldingASlashOrNulIsRefusedWithOrWithoutAHold) {
  using namespace std::string_literals;
  const std::string names[] = {"a/b.frm", "../../x.frm", "f.frm/", "f\0.frm"s, "\0"s};
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  const PathMapper mapper(config);
  for (const bool held : {false, true}) {
    if (held) mapper.HoldListings();
    for (const std::string& name : names) {
      try {
        mapper.ToHost("C:\\work\\" + name);
        ADD_FAILURE() << name << " mapped, held: " << held;
      } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), vberr::kBadFileNameOrNumber) << name << " held: " << held;
      }
    }
    if (held) mapper.ReleaseListings();
  }
}

}  // namespace
}  // namespace zarvelin::host
