#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/LineSplitter.h"

namespace zarvelin {
namespace {

std::vector<std::string> Split(std::string_view stream, size_t pieceSize) {
  LineSplitter splitter;
  std::vector<std::string> lines;
  for (size_t at = 0; at < stream.size(); at += pieceSize) {
    splitter.Feed(stream.substr(at, pieceSize));
    while (auto line = splitter.Next()) lines.push_back(*line);
  }
  splitter.Finish();
  while (auto line = splitter.Next()) lines.push_back(*line);
  return lines;
}

struct SplitCase {
  const char* name;
  std::string stream;
  std::vector<std::string> lines;
};

class LineSplitterCases : public testing::TestWithParam<SplitCase> {};

// Every piece size must give the same lines: a CR LF cut between two pieces is still one end.
TEST_P(LineSplitterCases, GivesTheSameLinesForAnyPieceSize) {
  const SplitCase& c = GetParam();
  for (size_t pieceSize = 1; pieceSize <= c.stream.size() + 1; ++pieceSize) {
    EXPECT_EQ(Split(c.stream, pieceSize), c.lines) << "piece size " << pieceSize;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, LineSplitterCases,
    testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"Lf", "a\nb\n", {"a", "b"}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"Cr", "a\rb\r", {"a", "b"}},
        SplitCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        SplitCase{"NoFinalEnd", "one\r\ntwo", {"one", "two"}},
        SplitCase{"EmptyLines", "\r\n\n\r\r\nx", {"", "", "", "", "x"}},
        SplitCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
        SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}}, SplitCase{"OnlyAnEnd", "\r\n", {""}},
        SplitCase{
            "Nul", std::string("a\0b\r\n\0", 6), {std::string("a\0b", 3), std::string(1, '\0')}},
        SplitCase{"HighBytes", "\xC9t\xE9\r\n\xFF\xFE", {"\xC9t\xE9", "\xFF\xFE"}},
        SplitCase{"BlanksKept", "  a  \r\n\t", {"  a  ", "\t"}}),
    [](const testing::TestParamInfo<SplitCase>& param) { return param.param.name; });

TEST(LineSplitter, KeepsALineLongerThanAnInteger) {
  const std::string longLine(70000, 'x');
  const auto lines = Split(longLine + "\r\nshort", 4096);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], "short");
}

TEST(LineSplitter, HandsOutLinesBeforeTheEndOfTheStream) {
  LineSplitter splitter;
  splitter.Feed("first\r");
  EXPECT_EQ(splitter.Next(), "first");
  EXPECT_EQ(splitter.Next(), std::nullopt);
  splitter.Feed("\nsecond");
  EXPECT_EQ(splitter.Next(), std::nullopt);
  splitter.Finish();
  EXPECT_EQ(splitter.Next(), "second");
  EXPECT_EQ(splitter.Next(), std::nullopt);
}

}  // namespace
}  // namespace zarvelin
