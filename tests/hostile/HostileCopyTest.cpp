// The copy under input a hostile or unlucky user gives it: each case builds a source project in
// p/ and a copy directory c/, runs `zarvelin copy`, and checks what the copy directory holds.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "HostileRun.h"

namespace zarvelin::hostile {
namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

std::string FormFile(const std::string& name, const std::string& companion) {
  return "VERSION 5.00\r\nBegin VB.Form " + name + "\r\n   Icon = \"" + companion +
         "\":0000\r\nEnd\r\nAttribute VB_Name = \"" + name + "\"\r\n";
}

std::string ModuleFile(const std::string& name) {
  return "Attribute VB_Name = \"" + name + "\"\r\n";
}

std::string Project(const std::string& lines) {
  return "Type=Exe\r\n" + lines + "Name=\"P\"\r\nPath32=\"..\\bin\"\r\n";
}

std::string Repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

const std::string kLongName = "m" + std::string(245, 'x') + ".bas";

struct CopyCase {
  const char* name;
  Files source;                                 // under p/, besides P.vbp
  std::string project;                          // P.vbp
  std::function<void(const Scratch&)> prepare;  // links, squatters in c/
  std::string directory;                        // the directory argument; empty: c/
  int status;
  Files copied;                                              // under c/: exact bytes
  std::vector<std::string> said;                             // in the program's output
  std::function<void(const Scratch&, const Outcome&)> more;  // what a byte check cannot say
};

void Link(const Scratch& scratch, const std::string& target, const std::string& entry) {
  ASSERT_EQ(symlink(target.c_str(), scratch.Path(entry).c_str()), 0);
}

bool IsPlainFile(const Scratch& scratch, const std::string& entry) {
  struct stat status {};
  return lstat(scratch.Path(entry).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

const std::vector<CopyCase> kCases{
    {"LongFileNameIsStaged",
     {{kLongName, ModuleFile("m")}},
     Project("Module=m; " + kLongName + "\r\n"),
     nullptr,
     "",
     0,
     {{kLongName, ModuleFile("m")}},
     {},
     nullptr},
    {"SquattedTemporaryNameStillClearsPath32",
     {{"m.bas", ModuleFile("m")}},
     Project("Module=m; m.bas\r\n"),
     [](const Scratch& s) { s.Write("c/P.vbp.tmp/x", ""); },
     "",
     0,
     {},
     {},
     [](const Scratch& s, const Outcome&) {
       EXPECT_NE(s.Read("c/P.vbp").find("Path32=\"\"\r\n"), std::string::npos);
     }},
    {"FailureAfterThePassIsAFailure",
     {{"a/m.bas", ModuleFile("m")}, {"b/n.bas", ModuleFile("m")}},
     Project("Module=m; a\\m.bas\r\nModule=m; b\\n.bas\r\n"),
     nullptr,
     "",
     1,
     {},
     {},
     [](const Scratch&, const Outcome& run) {
       EXPECT_EQ(run.err.find("Copied to directory:"), std::string::npos);
     }},
    {"CompanionsAreNamedAfterTheirForm",
     {{"a/f1.frm", FormFile("f1", "shared.frx")},
      {"a/shared.frx", "one"},
      {"b/f2.frm", FormFile("f2", "shared.frx")},
      {"b/shared.frx", "two"}},
     Project("Form=a\\f1.frm\r\nForm=b\\f2.frm\r\n"),
     nullptr,
     "",
     0,
     {{"f1.frm", FormFile("f1", "f1.frx")},
      {"f1.frx", "one"},
      {"f2.frm", FormFile("f2", "f2.frx")},
      {"f2.frx", "two"}},
     {},
     nullptr},
    {"OneFileNameInTwoFoldersIsRenamed",
     {{"fMain.frm", FormFile("fMain", "fMain.frx")},
      {"fMain.frx", "top"},
      {"sub/fMain.frm", FormFile("fOther", "fMain.frx")},
      {"sub/fMain.frx", "sub"}},
     Project("Form=fMain.frm\r\nForm=sub\\fMain.frm\r\n"),
     nullptr,
     "",
     0,
     {{"fMain.frx", "top"},
      {"fMain_2.frm", FormFile("fOther", "fMain_2.frx")},
      {"fMain_2.frx", "sub"}},
     {"fMain.frm -> fMain_2.frm"},
     [](const Scratch& s, const Outcome&) {
       EXPECT_NE(s.Read("c/P.vbp").find("Form=fMain_2.frm\r\n"), std::string::npos);
     }},
    {"DocumentsGiveWayToTheProjectFileAndCompanions",
     {{"f1.frm", FormFile("f1", "f1.frx")},
      {"f1.frx", "binary"},
      {"docs/P.vbp", "notes"},
      {"docs/f1.frx", "document"}},
     Project("Form=f1.frm\r\nRelatedDoc=docs\\P.vbp\r\nRelatedDoc=docs\\f1.frx\r\n"),
     nullptr,
     "",
     0,
     {{"f1.frx", "binary"}, {"P_2.vbp", "notes"}, {"f1_2.frx", "document"}},
     {"P.vbp -> P_2.vbp"},
     nullptr},
    {"LinksIntoTheSourceAreReplaced",
     {{"m.bas", ModuleFile("m")}, {"n.bas", ModuleFile("n")}},
     Project("Module=m; m.bas\r\nModule=n; n.bas\r\n"),
     [](const Scratch& s) {
       Link(s, s.Path("p/m.bas"), "c/m.bas");
       ASSERT_EQ(link(s.Path("p/n.bas").c_str(), s.Path("c/n.bas").c_str()), 0);
     },
     "",
     0,
     {{"m.bas", ModuleFile("m")}},
     {},
     [](const Scratch& s, const Outcome&) {
       EXPECT_NE(s.Read("c/P.vbp").find("Module=m; m.bas\r\n"), std::string::npos);
       EXPECT_TRUE(IsPlainFile(s, "c/m.bas"));
       s.Write("c/n.bas", "edited");
       EXPECT_EQ(s.Read("p/n.bas"), ModuleFile("n"));
     }},
    {"BlankDirectoryIsRefused",
     {{"m.bas", ModuleFile("m")}},
     Project("Module=m; m.bas\r\n"),
     nullptr,
     "  ",
     1,
     {},
     {"No Copy Directory"},
     [](const Scratch& s, const Outcome&) { EXPECT_TRUE(s.Read("cwd/P.vbp").empty()); }},
    {"RepeatedComponentLinesCopyOnce",
     {{"m.bas", ModuleFile("m")}},
     Project(Repeated("Module=m; m.bas\r\n", 2000)),
     nullptr,
     "",
     0,
     {{"m.bas", ModuleFile("m")}},
     {},
     [](const Scratch& s, const Outcome& run) {
       EXPECT_EQ(s.Read("c/P.vbp"), "Type=Exe\r\nModule=m; m.bas\r\nName=\"P\"\r\nPath32=\"\"\r\n");
       EXPECT_LT(run.err.size(), 4096u);
     }},
    {"MissingDocumentIsNamed",
     {},
     Project("RelatedDoc=docs\\gone.txt\r\n"),
     nullptr,
     "",
     1,
     {},
     {"p\\docs\\gone.txt"},
     nullptr},
    {"UnreadableModuleIsNamed",
     {},
     Project("Module=m; m.bas\r\n"),
     [](const Scratch& s) {  // a socket: there, but no file to read
       sockaddr_un address{};
       address.sun_family = AF_UNIX;
       s.Path("p/m.bas").copy(address.sun_path, sizeof address.sun_path - 1);
       const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
       ASSERT_EQ(bind(socketFile, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
       close(socketFile);
     },
     "",
     1,
     {},
     {"p\\m.bas'"},
     nullptr},
    {"BareModuleLineSaysSo",
     {},
     Project("Module=m; \r\n"),
     nullptr,
     "",
     1,
     {},
     {"No file named for Module m"},
     nullptr},
};

void PrintTo(const CopyCase& test, std::ostream* out) {
  *out << test.name;
}

class HostileCopy : public testing::TestWithParam<CopyCase> {};

TEST_P(HostileCopy, EndsSoundly) {
  const CopyCase& test = GetParam();
  const Scratch scratch;
  for (const auto& [name, bytes] : test.source) scratch.Write("p/" + name, bytes);
  scratch.Write("p/P.vbp", test.project);
  scratch.Write("cwd/.keep", "");
  scratch.Write("c/.keep", "");
  if (test.prepare) test.prepare(scratch);
  const std::string directory = test.directory.empty() ? scratch.Path("c") : test.directory;
  const Outcome run =
      RunZarvelin({"copy", scratch.Path("p/P.vbp"), directory}, scratch.Path("cwd"));
  EXPECT_EQ(run.status, test.status) << run.err;
  for (const auto& [name, bytes] : test.copied) EXPECT_EQ(scratch.Read("c/" + name), bytes) << name;
  for (const std::string& text : test.said) {
    EXPECT_NE((run.out + run.err).find(text), std::string::npos) << text << "\n" << run.err;
  }
  if (test.more) test.more(scratch, run);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileCopy, testing::ValuesIn(kCases),
                         [](const auto& each) { return std::string(each.param.name); });

}  // namespace
}  // namespace zarvelin::hostile
