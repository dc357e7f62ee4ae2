#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "CopyRoad.h"
#include "copy/UpdateProgress.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

struct ProgressCase {
  double components;               // the box's scale width
  std::vector<int32_t> steps;      // one call per step
  std::vector<std::string> texts;  // the text after each call
  int32_t finalCounter;
};

class UpdateProgressTest : public CopyRoad, public testing::WithParamInterface<ProgressCase> {};

TEST_P(UpdateProgressTest, DrawsThePercentageAndTheBarUpToTheCounter) {
  const ProgressCase& c = GetParam();
  Box().SetScaleWidth(c.components);
  int32_t counter = 0;
  for (size_t i = 0; i < c.steps.size(); ++i) {
    int32_t step = c.steps[i];
    const int32_t doEventsBefore = platform.DoEventsCount();
    UpdateProgress(step, counter, Box());

    EXPECT_EQ(DrawnTexts(), std::vector<std::string>{c.texts[i]}) << "call " << i;
    EXPECT_EQ(platform.DoEventsCount(), doEventsBefore + 1);
    EXPECT_LE(counter, Box().ScaleWidth());
  }
  EXPECT_EQ(counter, c.finalCounter);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UpdateProgressTest,
    testing::Values(ProgressCase{3, {1, 1, 1}, {"33%", "67%", "100%"}, 3},
                    ProgressCase{8, {1, 2}, {"12%", "38%"}, 3},  // 12.5 and 37.5: halves to even
                    ProgressCase{2, {1, 1, 1}, {"50%", "100%", "100%"}, 2},
                    ProgressCase{4, {7}, {"100%"}, 4}, ProgressCase{1, {1}, {"100%"}, 1},
                    ProgressCase{200, {1}, {"0%"}, 1}));

TEST_F(CopyRoad, ProgressIsCentredBarredInTheForeColourAndCopiedOntoItself) {
  Box().SetScaleWidth(4);
  int32_t step = 1;
  int32_t counter = 2;
  UpdateProgress(step, counter, Box());

  const std::vector<forms::DrawOp>& drawing = Box().Drawing();
  ASSERT_EQ(drawing.size(), 3u);
  const auto& text = std::get<forms::DrawnText>(drawing[0]);
  EXPECT_EQ(text.text, "75%");
  // Centred: the same room on both sides, to the truncation of the halving.
  const double room = Box().ScaleWidth() - Box().TextWidth("75%");
  EXPECT_LE(std::abs(2 * text.x - room), 2.0);
  const double roomHigh = Box().ScaleHeight() - Box().TextHeight("75%");
  EXPECT_LE(std::abs(2 * text.y - roomHigh), 2.0);
  EXPECT_EQ(text.x, std::trunc(text.x));

  const auto& bar = std::get<forms::DrawnBox>(drawing[1]);
  EXPECT_EQ(bar.x1, 0);
  EXPECT_EQ(bar.y1, 0);
  EXPECT_EQ(bar.x2, 3);
  EXPECT_EQ(bar.y2, Box().ScaleHeight());
  EXPECT_EQ(bar.color, (forms::Rgb{0, 0, 255}));

  const auto& blit = std::get<forms::DrawnBlit>(drawing[2]);
  EXPECT_EQ(blit.x, 0);
  EXPECT_EQ(blit.y, 0);
  EXPECT_EQ(blit.width, 4);
  EXPECT_EQ(blit.height, static_cast<int32_t>(std::lround(Box().ScaleHeight())));
  EXPECT_EQ(blit.rasterOperation, 0x00CC0020u);
}

TEST_F(CopyRoad, ProgressCounterOverflowIsARunTimeFailure) {
  Box().SetScaleWidth(3);
  int32_t step = 1;
  int32_t counter = std::numeric_limits<int32_t>::max();
  try {
    UpdateProgress(step, counter, Box());
    FAIL() << "no overflow";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kOverflow);
  }
}

}  // namespace
}  // namespace zarvelin::copy
