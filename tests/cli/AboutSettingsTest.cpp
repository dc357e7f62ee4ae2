#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLineRun.h"
#include "fakes/TempDir.h"

namespace zarvelin {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(AboutCommand, PrintsTheAboutBoxFacts) {
  const CommandLineRun run = RunZarvelin({"about"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 7u) << run.out;
  EXPECT_EQ(lines[0], "Zarvelin");
  EXPECT_EQ(lines[1], "Release Version: 1.00.1406");
  EXPECT_EQ(lines[2], "Copy Current Visual Basic Project");
  EXPECT_NE(lines[4].find(" Version "), std::string::npos);
  EXPECT_EQ(lines[5].rfind("Program: Z:\\", 0), 0u);
  EXPECT_EQ(lines[5].substr(lines[5].size() - 9), "\\zarvelin");
  EXPECT_EQ(lines[6].rfind("File Time: ", 0), 0u);
}

TEST(SettingsCommand, ShowsAndClearsTheDialogSetting) {
  const fakes::TempDir home;
  home.Write("zarvelin/settings.ini",
             "[Zarvelin\\Microsoft Visual Basic AddIns]\nDisplayOnConnect frmCopyProject=1\n");
  ::setenv("XDG_CONFIG_HOME", home.HostPath().c_str(), 1);
  const std::string key =
      "Zarvelin\\Microsoft Visual Basic AddIns\\DisplayOnConnect frmCopyProject";

  const CommandLineRun shown = RunZarvelin({"settings"});
  const CommandLineRun reset = RunZarvelin({"settings", "--reset"});
  ::unsetenv("XDG_CONFIG_HOME");

  EXPECT_EQ(shown.out, key + " = 1 (the copy dialog opens when the add-in connects)\n");
  EXPECT_EQ(reset.out, key + " = 0 (the copy dialog stays closed when the add-in connects)\n");
  EXPECT_EQ(reset.status, 0);
  EXPECT_EQ(home.Read("zarvelin/settings.ini"), "");
}

}  // namespace
}  // namespace zarvelin
