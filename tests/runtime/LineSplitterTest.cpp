#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/LineSplitter.h"

namespace zarvelin {
namespace {

// Each case's stream comes in the pieces given: a line end may fall on either side of a cut.
TEST(LineSplitterTest, CutsLinesAsLineInputDoesWhereverThePiecesEnd) {
  const struct {
    std::vector<std::string> pieces;
    std::vector<std::string> lines;
    // How the first line ended, as a file written again in its own line ends needs to know.
    std::string firstEnd;
  } cases[] = {
      {{"a\r\nb\nc\rd"}, {"a", "b", "c", "d"}, "\r\n"},
      {{"a\r", "\nb"}, {"a", "b"}, "\r\n"},
      {{"a\r", "", "\nb\r"}, {"a", "b"}, "\r\n"},
      {{"a\r\r\n\n"}, {"a", "", ""}, "\r"},
      {{"\n\r\n"}, {"", ""}, "\n"},
      {{"ab", "cd", "\r\n", "ef"}, {"abcd", "ef"}, "\r\n"},
      {{std::string("x\0y\xFF", 4), "\n"}, {std::string("x\0y\xFF", 4)}, "\n"},
      {{"", ""}, {}, ""},
      {{"a\rb\rc", "d\ne"}, {"a", "b", "cd", "e"}, "\r"},
      {{"a\nb\rc\r\nd"}, {"a", "b", "c", "d"}, "\n"},
      {{"a\rb", "\nc"}, {"a", "b", "c"}, "\r"},
      {{"a\r"}, {"a"}, "\r"},
      {{"a"}, {"a"}, ""},
  };
  // Lines are taken after every piece, or only once all have come.
  for (const bool takeAsTheyCome : {true, false}) {
    for (const auto& c : cases) {
      LineSplitter splitter;
      std::vector<std::string> lines;
      for (const std::string& piece : c.pieces) {
        splitter.Feed(piece);
        if (!takeAsTheyCome) continue;
        while (auto line = splitter.Next()) lines.push_back(*line);
      }
      splitter.Finish();
      while (auto line = splitter.Next()) lines.push_back(*line);
      EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.pieces) << takeAsTheyCome;
      EXPECT_EQ(splitter.FirstLineEnd(), c.firstEnd)
          << testing::PrintToString(c.pieces) << takeAsTheyCome;
    }
  }
}

}  // namespace
}  // namespace zarvelin
