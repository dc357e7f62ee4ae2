// `set` and `show` given files and values that are not what they expect: each case writes P.vbp
// (and what else it needs), runs the command and checks the status, the output and the file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "HostileRun.h"

namespace zarvelin::hostile {
namespace {

const std::string kProject = "Type=Exe\r\nName=\"P\"\r\nMajorVer=1\r\nPath32=\"bin\"\r\n";

struct CommandCase {
  const char* name;
  std::string file;                             // P.vbp's bytes
  std::function<void(const Scratch&)> prepare;  // modes, links
  std::vector<std::string> arguments;           // after the command; "{}" is P.vbp's path
  bool succeeds;
  std::optional<std::string> after;  // P.vbp afterwards; nothing: unchanged
  std::string said;                  // in the output; empty: no check
  std::string unsaid;                // never in the output; empty: no check
  std::function<void(const Scratch&)> more;
};

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status.st_mode;
}

const std::vector<CommandCase> kCases{
    {"ReadOnlyFileIsKept",
     kProject,
     [](const Scratch& s) { chmod(s.Path("P.vbp").c_str(), 0444); },
     {"set", "{}", "--major", "2"},
     false,
     std::nullopt,
     "",
     "",
     [](const Scratch& s) { EXPECT_EQ(ModeOf(s.Path("P.vbp")) & 0777, 0444u); }},
    {"LineBreakInValueIsRefused",
     kProject,
     nullptr,
     {"set", "{}", "--name", "x\r\nType=Dll"},
     false,
     std::nullopt,
     "line break",
     "",
     nullptr},
    {"NegativeVersionIsRefused",
     kProject,
     nullptr,
     {"set", "{}", "--major", "-5"},
     false,
     std::nullopt,
     "",
     "",
     nullptr},
    {"AbsentKeyIsSaid",
     kProject,
     nullptr,
     {"set", "{}", "--command", "x"},
     false,
     std::nullopt,
     "has no Command32 line",
     "",
     nullptr},
    {"Utf16FileIsNoProject",
     std::string("N\0a\0m\0e\0=\0\r\0\n\0", 16),
     nullptr,
     {"set", "{}", "--name", "x"},
     false,
     std::nullopt,
     "NUL",
     "",
     nullptr},
    {"LinkAtAnOldTemporaryNameIsNotFollowed",
     kProject,
     [](const Scratch& s) { symlink(s.Path("victim").c_str(), s.Path("P.vbp.tmp").c_str()); },
     {"set", "{}", "--path32", ""},
     true,
     "Type=Exe\r\nName=\"P\"\r\nMajorVer=1\r\nPath32=\"\"\r\n",
     "",
     "",
     [](const Scratch& s) { EXPECT_TRUE(s.Read("victim").empty()); }},
    {"LinkedProjectIsWrittenThrough",
     kProject,
     [](const Scratch& s) {
       s.Write("real/R.vbp", kProject);
       rename(s.Path("P.vbp").c_str(), s.Path("old").c_str());
       symlink(s.Path("real/R.vbp").c_str(), s.Path("P.vbp").c_str());
     },
     {"set", "{}", "--major", "3"},
     true,
     "Type=Exe\r\nName=\"P\"\r\nMajorVer=3\r\nPath32=\"bin\"\r\n",
     "",
     "",
     [](const Scratch& s) {
       EXPECT_TRUE(S_ISLNK(ModeOf(s.Path("P.vbp"))));
       EXPECT_NE(s.Read("real/R.vbp").find("MajorVer=3\r\n"), std::string::npos);
     }},
    {"MissingFileIsAPlainMessage",
     kProject,
     [](const Scratch& s) { unlink(s.Path("P.vbp").c_str()); },
     {"show", "{}"},
     false,
     "",
     "cannot open",
     "Error Information",
     nullptr},
    {"ControlCharactersAreShownEscaped",
     "Type=Exe\r\nName=\"\x1b]0;owned\x07\"\r\n",
     nullptr,
     {"show", "{}"},
     true,
     std::nullopt,
     "\\x1B]0;owned\\x07",
     "\x1b",
     nullptr},
    {"RepeatedFailureIsReportedOnce",
     "Type=Exe\r\nModule=m; m.bas\r\nModule=m; m.bas\r\nModule=m; m.bas\r\n",
     nullptr,
     {"show", "{}"},
     false,
     std::nullopt,
     "",
     "",
     nullptr},
};

void PrintTo(const CommandCase& test, std::ostream* out) {
  *out << test.name;
}

class HostileCommand : public testing::TestWithParam<CommandCase> {};

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_P(HostileCommand, EndsSoundly) {
  const CommandCase& test = GetParam();
  const Scratch scratch;
  scratch.Write("P.vbp", test.file);
  if (test.prepare) test.prepare(scratch);
  std::vector<std::string> arguments = test.arguments;
  for (std::string& argument : arguments) {
    if (argument == "{}") argument = scratch.Path("P.vbp");
  }
  const Outcome run = RunZarvelin(arguments, scratch.Path());
  const std::string output = run.out + run.err;
  EXPECT_EQ(run.status == 0, test.succeeds) << output;
  EXPECT_EQ(scratch.Read("P.vbp"), test.after.value_or(test.file));
  if (!test.said.empty()) {
    EXPECT_NE(output.find(test.said), std::string::npos) << output;
  }
  if (!test.unsaid.empty()) {
    EXPECT_EQ(output.find(test.unsaid), std::string::npos) << output;
  }
  // One failure, met on every repeated line, is one report.
  EXPECT_LE(Count(output, "Error Information"), 1u) << output;
  if (test.more) test.more(scratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileCommand, testing::ValuesIn(kCases),
                         [](const auto& each) { return std::string(each.param.name); });

}  // namespace
}  // namespace zarvelin::hostile
