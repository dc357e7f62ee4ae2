#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/TextLayout.h"

namespace zarvelin::forms {
namespace {

using Lines = std::vector<std::string>;

// One unit per character, so that a width of 10 holds exactly ten characters.
double CountChars(std::string_view text) {
  return static_cast<double>(text.size());
}

struct LayoutCase {
  const char* name;
  std::string text;
  double width;
  Lines expected;
};

class TextLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TextLayout, LinesAsTheEditBoxShowsThem) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(DisplayedLines(c.text, c.width, CountChars), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLayout,
    ::testing::Values(
        LayoutCase{"EmptyTextIsOneLine", "", 10, {""}}, LayoutCase{"ShortLine", "abc", 10, {"abc"}},
        LayoutCase{"CrLfBreaks", "one\r\ntwo", 10, {"one", "two"}},
        LayoutCase{"LoneCrAndLfBreakToo", "one\rtwo\nthree", 10, {"one", "two", "three"}},
        LayoutCase{"LfCrIsTwoBreaks", "one\n\rtwo", 10, {"one", "", "two"}},
        LayoutCase{"TrailingBreakEndsWithEmptyLine", "one\r\n", 10, {"one", ""}},
        LayoutCase{"BreaksOnly", "\r\n\r\n", 10, {"", "", ""}},
        LayoutCase{
            "WrapsAfterLastFittingWord", "the quick brown fox", 10, {"the quick ", "brown fox"}},
        LayoutCase{
            "WordEndingAtTheEdgeKeepsItsBlank", "abcdefghij klm", 10, {"abcdefghij ", "klm"}},
        LayoutCase{"BlanksHangAtTheLineEnd", "word      next", 10, {"word      ", "next"}},
        LayoutCase{"LongWordBrokenByCharacters",
                   "abcdefghijklmnopqrstuvwxy",
                   10,
                   {"abcdefghij", "klmnopqrst", "uvwxy"}},
        LayoutCase{"LongWordAfterShortOne", "a abcdefghijklmno", 10, {"a ", "abcdefghij", "klmno"}},
        LayoutCase{"WrapInsideEachParagraph",
                   "aaa bbb ccc\r\nddd eee fff",
                   8,
                   {"aaa bbb ", "ccc", "ddd eee ", "fff"}},
        LayoutCase{"NoRoomStillOneCharacterPerLine", "abc", 0, {"a", "b", "c"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TextLayoutHardLines, OnlyBreaksSplit) {
  EXPECT_EQ(HardLines("a very long line that nothing wraps"),
            Lines{"a very long line that nothing wraps"});
  EXPECT_EQ(HardLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
}

TEST(TextLayoutJoin, WrappedLinesKeepEveryCharacter) {
  const std::string text = "Pressing Copy twice in a row, then closing the window, lost the log.";
  for (double width = 1; width <= 30; ++width) {
    std::string joined;
    for (const std::string& line : DisplayedLines(text, width, CountChars)) {
      EXPECT_FALSE(line.empty()) << "width " << width;
      joined += line;
    }
    EXPECT_EQ(joined, text) << "width " << width;
  }
}

}  // namespace
}  // namespace zarvelin::forms
