#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/host/TempDir.h"
#include "host/PathMapper.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

using fakes::FailureOf;
using fakes::TempDir;

class PathMapperTest : public testing::Test {
 protected:
  PathMapperTest() { tree.MakeDirectory("c/work"); }
  TempDir tree;
};

TEST_F(PathMapperTest, ReadsUtf8NamesInAnotherConfiguredCodePage) {
  tree.Write("c/\xE8\xA1\xA8.frm", "x");  // U+8868 in UTF-8; 0x955C in Shift-JIS
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  config.workingDirectory = "C:\\";
  config.codePage = "SHIFT_JIS";
  const PathMapper mapper(config);
  EXPECT_EQ(mapper.ToHost("C:\\\x95\x5C.frm"), tree.HostPath("c/\xE8\xA1\xA8.frm"));
}

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

TEST_F(PathMapperTest, UnknownCodePageIsRefused) {
  PathMapperConfig config;
  config.codePage = "NO-SUCH-CODE-PAGE";
  EXPECT_EQ(FailureOf([&] { PathMapper{config}; }), vberr::kInvalidProcedureCall);
}

}  // namespace
}  // namespace zarvelin::host
