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
  } cases[] = {
      {{"a\r\nb\nc\rd"}, {"a", "b", "c", "d"}},
      {{"a\r", "\nb"}, {"a", "b"}},
      {{"a\r", "", "\nb\r"}, {"a", "b"}},
      {{"a\r\r\n\n"}, {"a", "", ""}},
      {{"\n\r\n"}, {"", ""}},
      {{"ab", "cd", "\r\n", "ef"}, {"abcd", "ef"}},
      {{std::string("x\0y\xFF", 4), "\n"}, {std::string("x\0y\xFF", 4)}},
      {{"", ""}, {}},
      {{"a\rb\rc", "d\ne"}, {"a", "b", "cd", "e"}},
      {{"a\nb\rc\r\nd"}, {"a", "b", "c", "d"}},
      {{"a\rb", "\nc"}, {"a", "b", "c"}},
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
    }
  }
}

}  // namespace
}  // namespace zarvelin
