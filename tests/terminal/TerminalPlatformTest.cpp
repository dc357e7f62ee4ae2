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

TEST_F(TerminalPlatformTest, MessageBoxesAreWrittenAndAnsweredWithoutWaiting) {
  const struct {
    int32_t style;
    int32_t yesNoAnswer;
    int32_t answer;
    const char* said;
  } cases[] = {
      {mb::kOkOnly, mb::kAnswerNo, mb::kAnswerOk, ""},
      {1, mb::kAnswerNo, mb::kAnswerOk, "(answered OK)\n"},
      {mb::kYesNo + mb::kQuestion, mb::kAnswerNo, mb::kAnswerNo, "(answered No)\n"},
      {mb::kYesNo + mb::kQuestion, mb::kAnswerYes, mb::kAnswerYes, "(answered Yes)\n"},
      {2, mb::kAnswerYes, 3, "(answered Abort)\n"},
      {5, mb::kAnswerYes, 2, "(answered Cancel)\n"},
  };
  for (const auto& c : cases) {
    TerminalOptions options = Options();
    options.yesNoAnswer = c.yesNoAnswer;
    TerminalPlatform platform(paths, files, options);
    messages.str("");
    EXPECT_EQ(platform.MsgBox("Copy done", "Zarvelin", c.style), c.answer) << c.style;
    EXPECT_EQ(messages.str(), std::string("[Zarvelin]\nCopy done\n") + c.said) << c.style;
  }
}

TEST_F(TerminalPlatformTest, MessageBoxLineBreaksBecomeNewLines) {
  TerminalPlatform platform(paths, files, Options());
  platform.MsgBox("Project:\r\nC:\\a.vbp\rend\nlast", "Title", mb::kInformation);
  EXPECT_EQ(messages.str(), "[Title]\nProject:\nC:\\a.vbp\nend\nlast\n");
}

TEST_F(TerminalPlatformTest, MessageBoxTextReachesTheTerminalInUtf8) {
  TerminalPlatform platform(paths, files, Options());
  platform.MsgBox(
      "C:\\C\xF3"
      "digo\\App.vbp",
      "Zarvelin \x80", mb::kInformation);
  EXPECT_EQ(messages.str(),
            "[Zarvelin \xE2\x82\xAC]\nC:\\C\xC3\xB3"
            "digo\\App.vbp\n");
}

TEST_F(TerminalPlatformTest, ClipboardKeepsTextAndBitmap) {
  TerminalPlatform platform(paths, files, Options());
  EXPECT_EQ(platform.ClipboardGetText(), "");
  platform.ClipboardSetBitmap(101);
  platform.ClipboardSetText("report\r\ntext");
  EXPECT_EQ(platform.ClipboardGetText(), "report\r\ntext");
  EXPECT_EQ(platform.ClipboardBitmap(), 101);
  platform.ClipboardClear();
  EXPECT_EQ(platform.ClipboardGetText(), "");
  EXPECT_EQ(platform.ClipboardBitmap(), 0);
}

TEST_F(TerminalPlatformTest, SettingsLiveInTheConfiguredDirectory) {
  {
    TerminalPlatform platform(paths, files, Options());
    EXPECT_EQ(platform.GetSetting("App", "Microsoft Visual Basic AddIns", "Display", "0"), "0");
    platform.SaveSetting("App", "Microsoft Visual Basic AddIns", "Display", "-1");
  }
  TerminalPlatform again(paths, files, Options());
  EXPECT_EQ(again.GetSetting("App", "Microsoft Visual Basic AddIns", "Display", "0"), "-1");
  EXPECT_TRUE(tree.Exists("settings/settings.ini"));
}

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

TEST_F(TerminalPlatformTest, DriveTypesComeFromDeclarationsAndMounts) {
  tree.MakeDirectory("e");
  char resolved[PATH_MAX];
  ASSERT_NE(realpath(tree.HostPath().c_str(), resolved), nullptr);
  const std::string root = resolved;
  tree.Write("mounts",
             "overlay / overlay rw 0 0\n"
             "tmpfs " +
                 root +
                 "/c tmpfs rw 0 0\n"
                 "srv:/x " +
                 root + "/e nfs4 rw 0 0\n");
  TerminalOptions options = Options();
  options.mountsFile = tree.HostPath("mounts");
  options.driveTypes = {{'d', drive::kCdRom}};
  TerminalPlatform platform(paths, files, options);
  const struct {
    const char* root;
    int32_t type;
  } cases[] = {
      {"D:\\", drive::kCdRom},       {"d:\\", drive::kCdRom},           {"C:\\", drive::kRamDisk},
      {"c:", drive::kRamDisk},       {"E:\\", drive::kRemote},          {"Z:\\", drive::kFixed},
      {"Q:\\", drive::kNoRootDir},   {"M:\\", drive::kNoRootDir},       {"ab\\", drive::kNoRootDir},
      {"\\\\\\", drive::kNoRootDir}, {"C:\\proj\\", drive::kNoRootDir}, {"", drive::kNoRootDir},
  };
  for (const auto& c : cases) EXPECT_EQ(platform.DriveType(c.root), c.type) << c.root;
}

TEST_F(TerminalPlatformTest, ShellExecuteAnswersLikeShellExecuteA) {
  TerminalPlatform platform(paths, files, Options());
  const struct {
    const char* verb;
    const char* file;
    const char* directory;
    int32_t answer;
  } cases[] = {
      {"open", "C:\\proj\\README.WRI", "", 42},
      {"", "C:\\proj\\readme.wri", "", 42},
      {"open", "readme.wri", "C:\\proj", 42},
      {"open", "mailto:support@zarvelin.example.org?subject=Error", "", 42},
      {"open", "https://zarvelin.example.org", "", 42},
      {"Explore", "C:\\proj\\docs", "", 42},
      {"open", "C:\\proj\\missing.wri", "", 2},
      {"open", "C:\\nowhere\\readme.wri", "", 3},
      {"open", "Q:\\readme.wri", "", 3},
      {"explore", "C:\\proj\\nodir", "", 3},
      {"explore", "C:\\proj\\readme.wri", "", 3},
      {"print", "C:\\proj\\readme.wri", "", 31},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform.ShellExecuteFile(0, c.verb, c.file, "", c.directory, 1), c.answer)
        << c.verb << " " << c.file;
  }
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
  platform.PrintDocument("line one\r\nl\xEDne two\r\n", 5, 1.0f);
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

TEST_F(TerminalPlatformTest, LogEventAppendsTheEntryAsItIs) {
  TerminalPlatform platform(paths, files, Options());
  platform.LogEvent("C:\\proj\\Error.log", "\r\n'first\r\n");
  platform.LogEvent("C:\\proj\\error.LOG", "\r\n'second\r\n");
  EXPECT_EQ(tree.Read("c/proj/Error.log"), "\r\n'first\r\n\r\n'second\r\n");
  EXPECT_EQ(FailureOf([&] { platform.LogEvent("C:\\nowhere\\Error.log", "x"); }),
            vberr::kPathNotFound);
}

}  // namespace
}  // namespace zarvelin::terminal
