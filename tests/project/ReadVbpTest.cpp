#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

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
  // The error number reported under "ReadVBP", 0 for none.
  int32_t failure = 0;
};

class ReadingRulesTest : public ProjectTestBed, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingRulesTest, SettingTakesTheValueTheLinesGive) {
  const ReadCase& c = GetParam();
  Write("App.vbp", c.contents);
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  EXPECT_EQ(FieldText(project, c.field), c.expected);
  if (c.failure == 0) {
    EXPECT_TRUE(Reports().empty());
  } else {
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].procedure, "ReadVBP");
    EXPECT_EQ(Reports()[0].number, c.failure);
  }
  EXPECT_EQ(project.Components()->Count(), 0);
}

const std::string kFar(32767, 'x');

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
                 Field::Name, "\"A\"", 6},
        ReadCase{"NegativeOverflow", "MinorVer=-32769\r\n", Field::MinorVer, "0", 6},
        ReadCase{"KeyIsCaseSensitive", "name=X\r\n", Field::Name, ""},
        ReadCase{"KeyKeepsItsBlanks", "Name =X\r\n", Field::Name, ""},
        ReadCase{"ValueIsNotTrimmed", "Name= X \r\n", Field::Name, " X "},
        ReadCase{"ValueKeepsLaterEquals", "Command32=\"/a=b\"\r\n", Field::CommandLine, "\"/a=b\""},
        ReadCase{"EmptyKeyIsSkipped", "=Name\r\nName\r\n", Field::Name, ""},
        ReadCase{"SectionsAndBlankLines",
                 "[MS Transaction Server]\r\n\r\nCondComp=\"DEBUG = 1\"\r\n", Field::CondComp,
                 "\"DEBUG = 1\""},
        ReadCase{"ExeName", "ExeName32=\"App.exe\"\r\n", Field::ExeName, "\"App.exe\""},
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
                 "Name=\"A\"\r\n" + kFar + "=1\r\nName=\"B\"\r\n", Field::Name, "\"A\"", 6}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, UnknownKeysAddNoComponents) {
  Write("App.vbp",
        "Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb\r\n"
        "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n"
        "Designer=DataEnvironment1.Dsr\r\nUserDocument=Doc.dob\r\nform=A.frm\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));
  EXPECT_EQ(project.Components()->Count(), 0);
  EXPECT_TRUE(Reports().empty());
}

TEST_F(ProjectTestBed, MissingProjectFileKeepsEverythingButThePath) {
  Write("App.vbp", "Name=\"A\"\r\nModule=Util; Util.bas\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  project.VBPFile(Vb("Missing.vbp"));
  EXPECT_EQ(project.VBPFile(), Vb("Missing.vbp"));
  EXPECT_EQ(project.Name(), "\"A\"");
  EXPECT_EQ(project.Components()->Count(), 1);
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "ReadVBP");
  EXPECT_EQ(Reports()[0].number, vberr::kFileNotFound);
}

struct ReadFaultCase {
  std::string label;
  std::string failingFile;
  std::string procedure;
  int32_t records;
  std::string name;
};

class ReadFaultTest : public ProjectTestBed, public ::testing::WithParamInterface<ReadFaultCase> {};

// A project file that fails to read ends the read; a component file that fails only loses
// that component's name.
TEST_P(ReadFaultTest, IsReportedWhereTheReadFailed) {
  const ReadFaultCase& c = GetParam();
  Write("App.vbp", "Name=\"A\"\r\nForm=Main.frm\r\nName=\"B\"\r\nModule=Util; Util.bas\r\n");
  Write("Main.frm", "Attribute VB_Name = \"frmMain\"\r\n");
  Faults().Fail(fakes::FileOp::ReadLine, vberr::kDeviceIoError, c.failingFile);
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, c.procedure);
  EXPECT_EQ(Reports()[0].number, vberr::kDeviceIoError);
  ASSERT_EQ(project.Components()->Count(), c.records);
  if (c.records > 0) {
    EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "");
  }
  EXPECT_EQ(project.Name(), c.name);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadFaultTest,
                         ::testing::Values(ReadFaultCase{"Project", "App.vbp", "ReadVBP", 0, ""},
                                           ReadFaultCase{"Form", "Main.frm", "GetComponentName", 2,
                                                         "\"B\""}),
                         [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, BinaryGarbageWithoutEqualsSignsIsSkippedLineByLine) {
  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string garbage;
  for (int i = 0; i < 200000; ++i) {
    const char c = static_cast<char>(byte(random));
    garbage += c == '=' ? '\0' : c;
  }
  Write("App.vbp", garbage + "\r\nName=\"After\"\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  EXPECT_EQ(project.Name(), "\"After\"");
  EXPECT_EQ(project.Components()->Count(), 0);
  EXPECT_TRUE(Reports().empty());
}

TEST_F(ProjectTestBed, ReadingTwiceAddsTheComponentsAgainAndKeyedOnesCollide) {
  Write("App.vbp", "Module=Util; Util.bas\r\nRelatedDoc=Notes.txt\r\nForm=Main.frm\r\n");
  Write("Main.frm", "VERSION 5.00\r\nAttribute VB_Name = \"frmMain\"\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));
  ASSERT_EQ(project.Components()->Count(), 3);
  EXPECT_TRUE(Reports().empty());

  project.VBPFile(Vb("App.vbp"));
  EXPECT_EQ(project.Components()->Count(), 4);
  ASSERT_EQ(Reports().size(), 2u);
  EXPECT_EQ(Reports()[0].procedure, "GetModuleInfo");
  EXPECT_EQ(Reports()[0].number, 457);
  EXPECT_EQ(Reports()[1].procedure, "GetRelelatedDocInfo");
  EXPECT_EQ(Reports()[1].number, 457);
}

}  // namespace
}  // namespace zarvelin
