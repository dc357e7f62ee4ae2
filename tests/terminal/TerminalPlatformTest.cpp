#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sstream>

#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "runtime/VbError.h"
#include "terminal/TerminalPlatform.h"

namespace zarvelin::terminal {
namespace {

using fakes::FailureOf;
using fakes::TempDir;
using host::HostFileSystem;
using host::PathMapper;
using host::PathMapperConfig;

class TerminalPlatformTest : public testing::Test {
 protected:
  TerminalPlatformTest() : paths(Config(tree)), files(paths) {
    tree.MakeDirectory("c/proj/docs");
    tree.Write("c/proj/readme.wri", "x");
  }

  static PathMapperConfig Config(const TempDir& tree) {
    PathMapperConfig config;
    config.drives = {
        {'C', tree.HostPath("c")}, {'E', tree.HostPath("e")}, {'M', tree.HostPath("missing")}};
    config.workingDirectory = "C:\\proj";
    return config;
  }

  TerminalOptions Options() {
    TerminalOptions options;
    options.settingsDirectory = tree.HostPath("settings");
    options.mirrorClipboard = false;
    options.messages = &messages;
    options.opener = "true";
    options.printerQuery = tree.HostPath("no-such-lpstat");
    options.printCommand = tree.HostPath("no-such-lp");
    return options;
  }

  // A small program for the platform to run, so that the real spawning path is exercised.
  std::string Script(const std::string& name, const std::string& body) {
    tree.Write(name, "#!/bin/sh\n" + body + "\n");
    chmod(tree.HostPath(name).c_str(), 0755);
    return tree.HostPath(name);
  }

  TempDir tree;
  PathMapper paths;
  HostFileSystem files;
  std::ostringstream messages;
};

TEST_F(TerminalPlatformTest, SettingsDefaultToTheUsersConfigDirectory) {
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous ? previous : "";
  setenv("XDG_CONFIG_HOME", tree.HostPath("xdg").c_str(), 1);
  TerminalOptions options = Options();
  options.settingsDirectory.clear();
  TerminalPlatform platform(paths, files, options);
  platform.SaveSetting("A", "B", "C", "D");
  if (previous) {
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  EXPECT_EQ(tree.Read("xdg/zarvelin/settings.ini"), "[A\\B]\nC=D\n");
}

TEST_F(TerminalPlatformTest, ShellExecuteWithoutAnOpenerHasNoAssociation) {
  TerminalOptions options = Options();
  options.opener = tree.HostPath("no-such-opener");
  TerminalPlatform platform(paths, files, options);
  EXPECT_EQ(platform.ShellExecuteFile(0, "open", "C:\\proj\\readme.wri", "", "", 1), 31);
  EXPECT_EQ(platform.ShellExecuteFile(0, "open", "mailto:a@b.c", "", "", 1), 31);
}

TEST_F(TerminalPlatformTest, DefaultPrinterComesFromTheQueryProgram) {
  TerminalOptions options = Options();
  const struct {
    const char* body;
    const char* name;
  } cases[] = {
      {"echo 'system default destination: Office_Laser'", "Office_Laser"},
      {"echo 'no system default destination'", nullptr},
      {"echo 'system default destination: Office'; exit 1", nullptr},
      {"exit 0", nullptr},
  };
  for (const auto& c : cases) {
    options.printerQuery = Script("lpstat", c.body);
    TerminalPlatform platform(paths, files, options);
    if (c.name) {
      EXPECT_EQ(platform.PrinterDeviceName(), c.name) << c.body;
    } else {
      EXPECT_EQ(FailureOf([&] { platform.PrinterDeviceName(); }), 484) << c.body;
    }
  }
  options.printerQuery = tree.HostPath("no-such-lpstat");
  TerminalPlatform platform(paths, files, options);
  EXPECT_EQ(FailureOf([&] { platform.PrinterDeviceName(); }), 484);
}

TEST_F(TerminalPlatformTest, PrintDocumentPipesTheTextToTheSpooler) {
  TerminalOptions options = Options();
  options.printCommand = Script(
      "lp", "echo \"$@\" > '" + tree.HostPath("args") + "'; cat > '" + tree.HostPath("out") + "'");
  TerminalPlatform platform(paths, files, options);
  platform.PrintDocument("line one\r\nl\xC3\xADne two\r\n", 5, 1.0f);
  EXPECT_EQ(tree.Read("out"), "line one\nl\xC3\xADne two\n");
  EXPECT_EQ(tree.Read("args"), "-o page-top=72\n");
  // The top offset reaches the spooler in points whatever the scale it was given in.
  std::string tops;
  for (int32_t scale = 0; scale <= 7; ++scale) {
    platform.PrintDocument("x", scale, 2.0f);
    tops += tree.Read("args");
  }
  EXPECT_EQ(tops,
            "-o page-top=0\n-o page-top=0\n-o page-top=2\n-o page-top=2\n-o page-top=24\n"
            "-o page-top=144\n-o page-top=6\n-o page-top=57\n");

  options.printCommand = Script("lp-broken", "cat > /dev/null; exit 1");
  TerminalPlatform broken(paths, files, options);
  EXPECT_EQ(FailureOf([&] { broken.PrintDocument("x", 5, 1.0f); }), 482);
  options.printCommand = Script("lp-deaf", "exit 0");
  TerminalPlatform deaf(paths, files, options);
  EXPECT_EQ(FailureOf([&] { deaf.PrintDocument(std::string(1 << 20, 'x'), 1, 0); }), 0);
}

TEST_F(TerminalPlatformTest, VersionTellsTheHostHonestly) {
  TerminalPlatform platform(paths, files, Options());
  const VersionRecord record = platform.Version();
  utsname host{};
  ASSERT_EQ(uname(&host), 0);
  EXPECT_EQ(record.platformId, 0u);
  EXPECT_TRUE(record.extendedCallSucceeds);
  EXPECT_EQ(record.servicePack,
            std::string(host.sysname) + " " + host.release + " " + host.machine);
  EXPECT_EQ(record.majorVersion, std::strtoul(host.release, nullptr, 10));
  EXPECT_EQ(std::to_string(record.majorVersion) + "." + std::to_string(record.minorVersion) + "." +
                std::to_string(record.buildNumber),
            std::string(host.release)
                .substr(0, std::string(host.release).find_first_not_of("0123456789.")));
}

TEST_F(TerminalPlatformTest, NamesHaveTheWin32AnswerShapes) {
  TerminalPlatform platform(paths, files, Options());
  const NameAnswer user = platform.UserName();
  ASSERT_TRUE(user.succeeded);
  const passwd* entry = getpwuid(geteuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(user.size, std::string(entry->pw_name).size() + 1);
  EXPECT_EQ(user.buffer.substr(0, user.size - 1), entry->pw_name);

  const NameAnswer computer = platform.ComputerName();
  ASSERT_TRUE(computer.succeeded);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string shortName = std::string(host).substr(0, std::string(host).find('.'));
  EXPECT_EQ(computer.size, shortName.size());
  EXPECT_EQ(computer.buffer.substr(0, computer.size), shortName);
}

}  // namespace
}  // namespace zarvelin::terminal
