#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ProjectTestBed.h"
#include "project/cVBP.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using namespace std::string_literals;

struct WriteCase {
  std::string label;
  std::function<void(cVBP&)> set;
  std::string before;
  std::string after;
};

class ParameterWriterTest : public ProjectTestBed,
                            public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ParameterWriterTest, RewritesEveryLineOfTheKeyAndKeepsTheOthers) {
  const WriteCase& c = GetParam();
  Open(c.before);
  c.set(project);
  EXPECT_EQ(Read("App.vbp"), c.after);
  EXPECT_FALSE(Exists("App.vbp.tmp"));
  EXPECT_EQ(Reported(), Reports{});
}

const std::string kOther = "Type=Exe\r\n[MS Transaction Server]\r\nAutoRefresh=1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Setters, ParameterWriterTest,
    ::testing::Values(
        WriteCase{"EmptyOutputPath", [](cVBP& p) { p.Path32(""); },
                  "Type=Exe\r\nPath32=\"C:\\Out\"\r\nName=\"A\"\r\n",
                  "Type=Exe\r\nPath32=\"\"\r\nName=\"A\"\r\n"},
        WriteCase{"CommandAlreadyQuoted", [](cVBP& p) { p.CommandLine("\"/a b\""); },
                  "Command32=\"\"\r\n", "Command32=\"/a b\"\r\n"},
        WriteCase{"CommandTrimmed", [](cVBP& p) { p.CommandLine("  /x  y  "); },
                  "Command32=\"\"\r\n", "Command32=\"/x  y\"\r\n"},
        WriteCase{"OneQuoteOffEachEnd", [](cVBP& p) { p.CommandLine("\"\"x\"\""); },
                  "Command32=\"\"\r\n", "Command32=\"\"x\"\"\r\n"},
        WriteCase{"LoneQuote", [](cVBP& p) { p.Path32("\""); }, "Path32=\"a\"\r\n",
                  "Path32=\"\"\r\n"},
        WriteCase{"NameAsPassed", [](cVBP& p) { p.Name(" Plain "); }, "Name=\"Old\"\r\n",
                  "Name= Plain \r\n"},
        WriteCase{"NameWithItsQuotes", [](cVBP& p) { p.Name("\"New\""); }, "Name=\"Old\"\r\n",
                  "Name=\"New\"\r\n"},
        WriteCase{"MajorVer", [](cVBP& p) { p.MajorVer(2); }, "MajorVer=1\r\nMinorVer=0\r\n",
                  "MajorVer=2\r\nMinorVer=0\r\n"},
        WriteCase{"NegativeMajorVer", [](cVBP& p) { p.MajorVer(-32768); }, "MajorVer=1\r\n",
                  "MajorVer=-32768\r\n"},
        WriteCase{"EveryMatchingLine", [](cVBP& p) { p.Name("\"N\""); },
                  "Name=\"A\"\r\nType=Exe\r\nName=\"B\"\r\n",
                  "Name=\"N\"\r\nType=Exe\r\nName=\"N\"\r\n"},
        WriteCase{"KeyMatchedExactly", [](cVBP& p) { p.Path32("x"); },
                  "path32=\"a\"\r\nPath32 =\"a\"\r\nPath32X=\"a\"\r\n=\"a\"\r\n",
                  "path32=\"a\"\r\nPath32 =\"a\"\r\nPath32X=\"a\"\r\n=\"a\"\r\n"},
        WriteCase{"AbsentKeyIsNotAdded", [](cVBP& p) { p.Path32(""); }, kOther, kOther},
        WriteCase{"LineEndsBecomeCarriageReturnLineFeed", [](cVBP& p) { p.Path32(""); },
                  "Type=Exe\nName=\"A\"\rPath32=\"b\"",
                  "Type=Exe\r\nName=\"A\"\r\nPath32=\"\"\r\n"},
        WriteCase{"OtherBytesKept", [](cVBP& p) { p.CommandLine("c"); },
                  "Name=\"Caf\xe9\0\x81\"\r\nCommand32=\"\"\r\n\xff\xfe=1\r\n"s,
                  "Name=\"Caf\xe9\0\x81\"\r\nCommand32=\"c\"\r\n\xff\xfe=1\r\n"s},
        WriteCase{"LongLinesKept", [](cVBP& p) { p.Path32(""); },
                  "Description=\"" + std::string(40000, 'd') + "\"\r\nPath32=\"x\"\r\n",
                  "Description=\"" + std::string(40000, 'd') + "\"\r\nPath32=\"\"\r\n"}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, SettersThatDoNotWriteLeaveTheFileAlone) {
  const std::string text = "MinorVer=1\nRevisionVer=2\nCondComp=\"\"\nExeName32=\"a\"";
  Open(text);
  project.MinorVer(9);
  project.RevisionVer(9);
  project.ConditionalCompile("X");
  project.ExeName32("b.exe");
  EXPECT_EQ(Read("App.vbp"), text);
  EXPECT_EQ(project.MinorVer(), 9);
  EXPECT_EQ(project.ExeName32(), "b.exe");
}

TEST_F(ProjectTestBed, SetterStoresTheValueWithoutReadingTheFileBack) {
  Open("Name=\"A\"\r\nCommand32=\"\"\r\n");
  project.CommandLine("  \"c\"  ");
  EXPECT_EQ(project.CommandLine(), "  \"c\"  ");
  EXPECT_EQ(project.Name(), "\"A\"");
}

// The rewrite goes through "App.vbp.tmp": a stale one is removed first and the finished one
// replaces the project file, so that no failing step leaves the project file half-written.
struct FaultCase {
  std::string label;
  fakes::FileOp op;
  std::string pathContains;
  int32_t number;  // 0: no step fails
};

class AtomicReplaceTest : public ProjectTestBed, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(AtomicReplaceTest, FailureIsReportedAndTheProjectFileStaysAsItWas) {
  const FaultCase& c = GetParam();
  const std::string original = "Type=Exe\nPath32=\"C:\\Out\"\nName=\"A\"";
  Write("App.vbp.tmp", "Path32=\"stale\"\r\nName=\"Stale\"\r\nMore=1\r\n");
  Open(original);
  if (c.number != 0) Faults().Fail(c.op, c.number, c.pathContains);
  project.Path32("");

  const std::string rewritten = "Type=Exe\r\nPath32=\"\"\r\nName=\"A\"\r\n";
  EXPECT_EQ(Read("App.vbp"), c.number == 0 ? rewritten : original);
  EXPECT_EQ(project.Path32(), "");
  EXPECT_EQ(Reported(),
            c.number == 0 ? Reports{} : Reports{"cVBP.WriteVBPParam " + std::to_string(c.number)});
  EXPECT_EQ(Faults().FailuresRaised(), c.number == 0 ? 0 : 1);
  if (c.number == 0) {
    EXPECT_FALSE(Exists("App.vbp.tmp"));
  }
  if (c.op == fakes::FileOp::Replace) {
    EXPECT_EQ(Read("App.vbp.tmp"), rewritten);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AtomicReplaceTest,
    ::testing::Values(FaultCase{"NoFailureReplacesTheStaleTemporary", fakes::FileOp::Copy, "", 0},
                      FaultCase{"StaleDelete", fakes::FileOp::Delete, ".tmp", 75},
                      FaultCase{"OpenProject", fakes::FileOp::OpenText, "App.vbp", 70},
                      FaultCase{"CreateTemporary", fakes::FileOp::CreateText, ".tmp", 76},
                      FaultCase{"Read", fakes::FileOp::ReadLine, "App.vbp", 57},
                      FaultCase{"Write", fakes::FileOp::WriteLine, ".tmp", 61},
                      FaultCase{"Flush", fakes::FileOp::CloseText, ".tmp", 61},
                      FaultCase{"ReplaceLeavesTheNewContentBeside", fakes::FileOp::Replace, ".tmp",
                                70}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, EqualsSignBeyondTheLastHeldPositionStopsTheRewrite) {
  const std::string original = "Path32=\"a\"\r\n" + std::string(32767, 'k') + "=1\r\n";
  Open(original);
  project.Path32("");
  EXPECT_EQ(Read("App.vbp"), original);
  ASSERT_FALSE(Reported().empty());
  EXPECT_EQ(Reported().back(), "cVBP.WriteVBPParam 6");
}

}  // namespace
}  // namespace zarvelin
