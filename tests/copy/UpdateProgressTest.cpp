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

TEST_F(CopyRoad, ProgressDrawsThePercentageRoundedHalfToEvenAndNeverPassesTheScale) {
  const struct {
    double components;               // the box's scale width
    std::vector<int32_t> steps;      // one call per step
    std::vector<std::string> texts;  // the text after each call
    int32_t finalCounter;
  } cases[] = {{3, {1, 1, 1}, {"33%", "67%", "100%"}, 3},
               {8, {1, 2}, {"12%", "38%"}, 3},
               {2, {1, 1, 1}, {"50%", "100%", "100%"}, 2},
               {4, {7}, {"100%"}, 4},
               {1, {1}, {"100%"}, 1},
               {200, {1}, {"0%"}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.components);
    Box().SetScaleWidth(c.components);
    int32_t counter = 0;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      int32_t step = c.steps[i];
      const int32_t doEventsBefore = platform.DoEventsCount();
      UpdateProgress(step, counter, Box());

      EXPECT_EQ(DrawnTexts(), std::vector<std::string>{c.texts[i]}) << "call " << i;
      EXPECT_EQ(platform.DoEventsCount(), doEventsBefore + 1);
    }
    EXPECT_EQ(counter, c.finalCounter);
  }
}

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
  EXPECT_LE(std::abs(2 * text.x - (Box().ScaleWidth() - Box().TextWidth("75%"))), 2.0);
  EXPECT_LE(std::abs(2 * text.y - (Box().ScaleHeight() - Box().TextHeight("75%"))), 2.0);
  EXPECT_EQ(text.x, std::trunc(text.x));

  const auto& bar = std::get<forms::DrawnBox>(drawing[1]);
  EXPECT_EQ((std::vector<double>{bar.x1, bar.y1, bar.x2, bar.y2}),
            (std::vector<double>{0, 0, 3, Box().ScaleHeight()}));
  EXPECT_EQ(bar.color, (forms::Rgb{0, 0, 255}));

  const auto& blit = std::get<forms::DrawnBlit>(drawing[2]);
  EXPECT_EQ(
      (std::vector<int32_t>{blit.x, blit.y, blit.width, blit.height}),
      (std::vector<int32_t>{0, 0, 4, static_cast<int32_t>(std::lround(Box().ScaleHeight()))}));
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
