#include <gtest/gtest.h>

#include <string>

#include "ProjectTestBed.h"
#include "project/cVBP.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using namespace std::string_literals;

// One setting of the model, as text, so that one table can cover all of them.
enum class Field { MajorVer, MinorVer, RevisionVer, Name, CommandLine, CondComp, ExeName, Path32 };

std::string FieldText(const cVBP& project, Field field) {
  switch (field) {
    case Field::MajorVer:
      return std::to_string(project.MajorVer());
    case Field::MinorVer:
      return std::to_string(project.MinorVer());
    case Field::RevisionVer:
      return std::to_string(project.RevisionVer());
    case Field::Name:
      return project.Name();
    case Field::CommandLine:
      return project.CommandLine();
    case Field::CondComp:
      return project.ConditionalCompile();
    case Field::ExeName:
      return project.ExeName32();
    case Field::Path32:
      return project.Path32();
  }
  return {};
}

struct ReadCase {
  std::string label;
  std::string contents;
  Field field;
  std::string expected;
  Reports reports = {};
};

class ReadingRulesTest : public ProjectTestBed, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingRulesTest, SettingTakesTheValueTheLinesGive) {
  const ReadCase& c = GetParam();
  Open(c.contents);
  EXPECT_EQ(FieldText(project, c.field), c.expected);
  EXPECT_EQ(Reported(), c.reports);
  EXPECT_EQ(project.Components()->Count(), 0);
}

const std::string kFar(32767, 'x');
const Reports kOverflow{"cVBP.ReadVBP 6"};

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadingRulesTest,
    ::testing::Values(
        ReadCase{"RepeatedKeyKeepsTheLast", "Name=\"A\"\r\nName=\"B\"\r\n", Field::Name, "\"B\""},
        ReadCase{"WholeNumber", "MajorVer=3\r\n", Field::MajorVer, "3"},
        ReadCase{"HalfRoundsToEvenDown", "MajorVer=2.5\r\n", Field::MajorVer, "2"},
        ReadCase{"HalfRoundsToEvenUp", "MinorVer=3.5\r\n", Field::MinorVer, "4"},
        ReadCase{"NoLeadingNumber", "MajorVer=abc\r\n", Field::MajorVer, "0"},
        ReadCase{"LeadingNumberOnly", "RevisionVer=12abc\r\n", Field::RevisionVer, "12"},
        ReadCase{"Negative", "MajorVer=-7\r\n", Field::MajorVer, "-7"},
        ReadCase{"Largest", "RevisionVer=32767\r\n", Field::RevisionVer, "32767"},
        ReadCase{"OverflowEndsTheRead", "Name=\"A\"\r\nMajorVer=40000\r\nName=\"B\"\r\n",
                 Field::Name, "\"A\"", kOverflow},
        ReadCase{"NegativeOverflow", "MinorVer=-32769\r\n", Field::MinorVer, "0", kOverflow},
        ReadCase{"KeyIsCaseSensitive", "name=X\r\n", Field::Name, ""},
        ReadCase{"KeyKeepsItsBlanks", "Name =X\r\n", Field::Name, ""},
        ReadCase{"ValueIsNotTrimmed", "Name= X \r\n", Field::Name, " X "},
        ReadCase{"ValueKeepsLaterEquals", "Command32=\"/a=b\"\r\n", Field::CommandLine, "\"/a=b\""},
        ReadCase{"EmptyKeyIsSkipped", "=Name\r\nName\r\n", Field::Name, ""},
        ReadCase{"SectionsAndBlankLines",
                 "[MS Transaction Server]\r\n\r\nCondComp=\"DEBUG = 1\"\r\n", Field::CondComp,
                 "\"DEBUG = 1\""},
        ReadCase{
            "UnknownKeysAddNoComponents",
            "Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#a.tlb\r\n"
            "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n"
            "Designer=D.Dsr\r\nUserDocument=Doc.dob\r\nform=A.frm\r\nExeName32=\"App.exe\"\r\n",
            Field::ExeName, "\"App.exe\""},
        ReadCase{"OutputPath", "Path32=\"..\\bin\"\r\n", Field::Path32, "\"..\\bin\""},
        ReadCase{"LoneCarriageReturns", "Name=\"A\"\rCommand32=\"c\"\r", Field::CommandLine,
                 "\"c\""},
        ReadCase{"LoneLineFeeds", "Name=\"A\"\nCommand32=\"c\"\n", Field::CommandLine, "\"c\""},
        ReadCase{"NoFinalLineEnd", "Name=\"A\"\r\nMajorVer=5", Field::MajorVer, "5"},
        ReadCase{"NulBytesKept", "Name=\"A\0B\"\r\n"s, Field::Name, "\"A\0B\""s},
        ReadCase{"HighBytesKept", "Name=\"Caf\xe9 \x81\x9f\"\r\n", Field::Name,
                 "\"Caf\xe9 \x81\x9f\""},
        ReadCase{"LongValue", "Command32=" + kFar + kFar + "\r\n", Field::CommandLine, kFar + kFar},
        ReadCase{"LongLineWithoutEquals", kFar + kFar + "\r\nName=\"B\"\r\n", Field::Name, "\"B\""},
        ReadCase{"EqualsAtTheLastHeldPosition", kFar.substr(1) + "=1\r\nName=\"B\"\r\n",
                 Field::Name, "\"B\""},
        ReadCase{"EqualsBeyondTheLastHeldPosition",
                 "Name=\"A\"\r\n" + kFar + "=1\r\nName=\"B\"\r\n", Field::Name, "\"A\"",
                 kOverflow}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, MissingProjectFileKeepsEverythingButThePath) {
  Open("Name=\"A\"\r\nModule=Util; Util.bas\r\n");
  project.VBPFile(Vb("Missing.vbp"));
  EXPECT_EQ(project.VBPFile(), Vb("Missing.vbp"));
  EXPECT_EQ(project.Name(), "\"A\"");
  EXPECT_EQ(project.Components()->Count(), 1);
  EXPECT_EQ(Reported(), Reports{"cVBP.ReadVBP 53"});
}

struct ReadFaultCase {
  std::string label;
  std::string failingFile;
  Reports reports = {};
  int32_t records;
  std::string name;
};

class ReadFaultTest : public ProjectTestBed, public ::testing::WithParamInterface<ReadFaultCase> {};

// A project file that fails to read ends the read; a component file that fails only loses
// that component's name.
TEST_P(ReadFaultTest, IsReportedWhereTheReadFailed) {
  const ReadFaultCase& c = GetParam();
  Write("Main.frm", "Attribute VB_Name = \"frmMain\"\r\n");
  Faults().Fail(fakes::FileOp::ReadLine, vberr::kDeviceIoError, c.failingFile);
  Open("Name=\"A\"\r\nForm=Main.frm\r\nName=\"B\"\r\nModule=Util; Util.bas\r\n");

  EXPECT_EQ(Reported(), c.reports);
  ASSERT_EQ(project.Components()->Count(), c.records);
  if (c.records > 0) {
    EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "");
  }
  EXPECT_EQ(project.Name(), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadFaultTest,
    ::testing::Values(ReadFaultCase{"Project", "App.vbp", {"cVBP.ReadVBP 57"}, 0, ""},
                      ReadFaultCase{"Form", "Main.frm", {"cVBP.GetComponentName 57"}, 2, "\"B\""}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, ReadingTwiceAddsTheComponentsAgainAndKeyedOnesCollide) {
  Write("Main.frm", "VERSION 5.00\r\nAttribute VB_Name = \"frmMain\"\r\n");
  Open("Module=Util; Util.bas\r\nRelatedDoc=Notes.txt\r\nForm=Main.frm\r\n");
  ASSERT_EQ(project.Components()->Count(), 3);
  EXPECT_EQ(Reported(), Reports{});

  project.VBPFile(Vb("App.vbp"));
  EXPECT_EQ(project.Components()->Count(), 4);
  EXPECT_EQ(Reported(), (Reports{"cVBP.GetModuleInfo 457", "cVBP.GetRelelatedDocInfo 457"}));
}

}  // namespace
}  // namespace zarvelin
