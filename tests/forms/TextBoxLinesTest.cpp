#include <gtest/gtest.h>

#include <string>

#include "forms/ProbeForm.h"

namespace zarvelin::forms::testing {
namespace {

// A form holding one text box of the given kind and width.
FormDesign BoxDesign(double width, bool multiLine, bool verticalScroll) {
  FormDesign design;
  design.name = "frmText";
  design.clientWidth = 9000;
  design.clientHeight = 3000;
  ControlDesign box = Placed("txtDesc", ControlKind::TextBox, "", "", 0, 0, width, 855);
  box.multiLine = multiLine;
  box.verticalScroll = verticalScroll;
  design.controls = {box};
  return design;
}

// How many characters of `fill` fit on one line of the box, by the backend's own measure.
size_t CharsPerLine(WindowBackend& backend, const Control& box, char fill = 'x') {
  size_t count = 0;
  while (backend.TextWidthTwips(box.GetFont(), std::string(count + 1, fill)) <= box.InnerWidth()) {
    ++count;
  }
  return count;
}

TEST(TextBoxLines, ScrollBarNarrowsTheLines) {
  RecordedWindows windows;
  Form plain(BoxDesign(4215, true, false));
  Form scrolled(BoxDesign(4215, true, true));
  const Control& plainBox = plain.Ctl("txtDesc");
  const Control& scrolledBox = scrolled.Ctl("txtDesc");
  ASSERT_LT(scrolledBox.InnerWidth(), plainBox.InnerWidth());
  ASSERT_LT(plainBox.InnerWidth(), plainBox.Width());

  // Exactly one full line of the box without a scroll bar.
  const std::string text(CharsPerLine(windows.backend, plainBox), 'x');
  plain.Ctl("txtDesc").SetText(text);
  scrolled.Ctl("txtDesc").SetText(text);

  EXPECT_EQ(plainBox.LineCount(), 1);
  EXPECT_EQ(scrolledBox.LineCount(), 2);
  EXPECT_EQ(scrolledBox.Line(0, 200).size(), CharsPerLine(windows.backend, scrolledBox));
  EXPECT_EQ(scrolledBox.Line(0, 200) + scrolledBox.Line(1, 200), text);
}

struct CutCase {
  const char* name;
  size_t length;
  int32_t maxChars;
};

class TextBoxLineCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(TextBoxLineCut, LineIsCutToTheBuffer) {
  const CutCase& c = GetParam();
  RecordedWindows windows;
  Form form(BoxDesign(12000, true, true));
  Control& box = form.Ctl("txtDesc");
  std::string text;
  for (size_t at = 0; at < c.length; ++at) text += static_cast<char>('a' + at % 26);
  ASSERT_LE(c.length, CharsPerLine(windows.backend, box)) << "the line must not wrap";
  box.SetText(text + "\r\nsecond");

  const size_t kept = std::min(c.length, static_cast<size_t>(std::max(c.maxChars, 0)));
  EXPECT_EQ(box.Line(0, c.maxChars), text.substr(0, kept));
  EXPECT_EQ(box.Line(1, c.maxChars), std::string("second").substr(0, kept));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBoxLineCut,
                         ::testing::Values(CutCase{"Eighty", 80, 65}, CutCase{"SixtyFive", 65, 65},
                                           CutCase{"Short", 12, 65}, CutCase{"NoRoom", 10, 0}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TextBoxLines, WrappedWordsAndHardBreaksTogether) {
  RecordedWindows windows;
  Form form(BoxDesign(4215, true, true));
  Control& box = form.Ctl("txtDesc");
  const size_t perLine = CharsPerLine(windows.backend, box);
  const std::string word((perLine - 1) / 2, 'w');
  // Two words and their blank just fit on one line; the third wraps to the next.
  box.SetText(word + " " + word + " " + word + "\r\nlast");

  EXPECT_EQ(box.LineCount(), 3);
  EXPECT_EQ(box.Line(0, 1000), word + " " + word + " ");
  EXPECT_EQ(box.Line(1, 1000), word);
  EXPECT_EQ(box.Line(2, 1000), "last");
  EXPECT_EQ(box.Line(3, 1000), "");
  EXPECT_EQ(box.Line(-1, 1000), "");
}

TEST(TextBoxLines, SingleLineBoxNeverWraps) {
  RecordedWindows windows;
  Form form(BoxDesign(500, false, false));
  Control& box = form.Ctl("txtDesc");
  EXPECT_EQ(box.LineCount(), 1);
  EXPECT_EQ(box.Line(0, 65), "");
  const std::string text(200, 'q');
  box.SetText(text);
  EXPECT_EQ(box.LineCount(), 1);
  EXPECT_EQ(box.Line(0, 500), text);
}

}  // namespace
}  // namespace zarvelin::forms::testing
