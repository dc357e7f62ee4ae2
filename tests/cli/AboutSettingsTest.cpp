#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CommandLineRun.h"
#include "fakes/TempDir.h"

namespace zarvelin {
namespace {

TEST(AboutCommand, PrintsTheAboutBoxFacts) {
  const CommandLineRun run = RunZarvelin({"about"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out.rfind("Zarvelin\nRelease Version: 1.00.1406\nCopy Current Visual Basic Project\n", 0),
      0u);
  EXPECT_NE(run.out.find(" Version "), std::string::npos) << run.out;  // the operating system
  EXPECT_NE(run.out.find("\\zarvelin\nFile Time: "), std::string::npos) << run.out;
}

TEST(SettingsCommand, ShowsAndClearsTheDialogSetting) {
  const fakes::TempDir home;
  home.Write("zarvelin/settings.ini",
             "[Zarvelin\\Microsoft Visual Basic AddIns]\nDisplayOnConnect frmCopyProject=1\n");
  ::setenv("XDG_CONFIG_HOME", home.HostPath().c_str(), 1);
  const CommandLineRun shown = RunZarvelin({"settings"});
  const CommandLineRun reset = RunZarvelin({"settings", "--reset"});
  ::unsetenv("XDG_CONFIG_HOME");

  const std::string key =
      "Zarvelin\\Microsoft Visual Basic AddIns\\DisplayOnConnect frmCopyProject";
  EXPECT_EQ(shown.out, key + " = 1 (the copy dialog opens when the add-in connects)\n");
  EXPECT_EQ(reset.out, key + " = 0 (the copy dialog stays closed when the add-in connects)\n");
  EXPECT_EQ(home.Read("zarvelin/settings.ini"), "");
}

}  // namespace
}  // namespace zarvelin
