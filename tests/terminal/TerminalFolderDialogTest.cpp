#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "HostTree.h"
#include "host/HostFileSystem.h"
#include "terminal/TerminalPlatform.h"
#include "support/mBrowseFolders.h"

namespace zarvelin::terminal {
namespace {

// The user's line on the terminal ("{c}": the host directory of drive C:), and what comes of it
// when the dialog shows C:\proj as selected.
TEST(TerminalFolderDialog, AsksOnTheTerminalAndCompactsPathsByCharacterWidths) {
  testing_support::HostTree tree;
  tree.MakeDirectory("c/proj/docs");
  tree.Write("c/proj/readme.wri", "x");
  PathMapperConfig config;
  config.drives = {{'C', tree.Path("c")}};
  const PathMapper paths(config);
  HostFileSystem files(paths);
  for (const auto& [typed, chosen] :
       {std::pair{"\n", "C:\\proj"}, std::pair{"{c}/proj/docs\n", "C:\\proj\\docs"},
        std::pair{"C:\\proj\\readme.wri\n", ""}, std::pair{"", ""}}) {
    std::string line = typed;
    if (line.find("{c}") == 0) line.replace(0, 3, tree.Path("c"));
    std::istringstream in(line);
    std::ostringstream out;
    TerminalOptions options;
    options.answers = &in;
    options.messages = &out;
    TerminalPlatform platform(paths, files, options);
    SetPlatform(&platform);
    EXPECT_EQ(mBrowseFolders::BrowseForFolder(0, "Select:", std::string("C:\\proj")), chosen);
    SetPlatform(nullptr);
    EXPECT_EQ(out.str().rfind("Select:\n[C:\\proj] ", 0), 0u) << out.str();
  }

  TerminalPlatform platform(paths, files);
  const std::string path = "C:\\Program Files\\Zarvelin\\Zarvelin.dll";
  EXPECT_EQ(platform.CompactPath(0, path, 300), path);
  EXPECT_EQ(platform.CompactPath(0, path, 150), "C:\\Program ...\\Zarvelin.dll");
  EXPECT_EQ(platform.CompactPath(0, path, 50), "...\\Zarvelin.dll");
}

}  // namespace
}  // namespace zarvelin::terminal
