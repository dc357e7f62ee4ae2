#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "forms/ProbeForm.h"

namespace zarvelin::forms::testing {
namespace {

class PictureBox : public ::testing::Test {
 protected:
  Control& Box() { return form.Ctl("picBar"); }
  double Twips(const std::string& text) {
    return windows.backend.TextWidthTwips(Box().GetFont(), text);
  }

  RecordedWindows windows;
  ProbeForm form;
};

struct ScaleCase {
  const char* name;
  double scaleWidth;  // 0: as designed
  double scaleHeight;
};

class PictureBoxScale : public PictureBox, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(PictureBoxScale, TextSizesFollowTheScale) {
  const ScaleCase& c = GetParam();
  Control& box = Box();
  EXPECT_LT(box.InnerWidth(), box.Width());
  EXPECT_EQ(box.Width() - box.InnerWidth(), box.Height() - box.InnerHeight());
  if (c.scaleWidth == 0) {
    EXPECT_EQ(box.ScaleWidth(), box.InnerWidth());
  }
  if (c.scaleHeight == 0) {
    EXPECT_EQ(box.ScaleHeight(), box.InnerHeight());
  }
  if (c.scaleWidth != 0) box.SetScaleWidth(c.scaleWidth);
  if (c.scaleHeight != 0) box.SetScaleHeight(c.scaleHeight);
  const std::string text = "50%";

  // The scale spans the area inside the border, and a text takes the same share of the box in scale
  // units as in twips.
  EXPECT_DOUBLE_EQ(box.TextWidth(text) / box.ScaleWidth(), Twips(text) / box.InnerWidth());
  EXPECT_DOUBLE_EQ(box.TextHeight(text) / box.ScaleHeight(),
                   windows.backend.TextHeightTwips(box.GetFont()) / box.InnerHeight());
  EXPECT_DOUBLE_EQ(box.TextWidth(text + text), 2 * box.TextWidth(text));
  EXPECT_DOUBLE_EQ(box.TextWidth("wide line\r\nx"), box.TextWidth("wide line"));
  EXPECT_DOUBLE_EQ(box.TextHeight("a\r\nb"), 2 * box.TextHeight("a"));
}

INSTANTIATE_TEST_SUITE_P(Cases, PictureBoxScale,
                         ::testing::Values(ScaleCase{"Designed", 0, 0},
                                           ScaleCase{"TenComponents", 10, 0},
                                           ScaleCase{"ThousandUnits", 1000, 50},
                                           ScaleCase{"OneComponent", 1, 0}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(PictureBox, PrintDrawsAtTheCurrentPositionAndMovesToTheNextLine) {
  Control& box = Box();
  box.SetScaleWidth(4);
  const std::string text = "25%";
  const double x = (box.ScaleWidth() - box.TextWidth(text)) / 2;
  const double y = (box.ScaleHeight() - box.TextHeight(text)) / 2;
  box.SetCurrentX(x);
  box.SetCurrentY(y);

  box.Print(text);

  ASSERT_EQ(box.Drawing().size(), 1U);
  const auto* drawn = std::get_if<DrawnText>(&box.Drawing()[0]);
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(drawn->text, text);
  EXPECT_DOUBLE_EQ(drawn->x, x);
  EXPECT_DOUBLE_EQ(drawn->y, y);
  EXPECT_EQ(box.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(box.CurrentY(), y + box.TextHeight(text));
}

TEST_F(PictureBox, FilledBoxAndBlitAreKeptInOrderAndClsClearsThem) {
  Control& box = Box();
  box.SetScaleWidth(3);
  const Rgb blue{0, 0, 255};
  box.FilledBox(0, 0, 2, box.ScaleHeight(), blue);
  box.BitBltSelf(0, 0, 3, 13, 0x00CC0020);

  ASSERT_EQ(box.Drawing().size(), 2U);
  const auto* bar = std::get_if<DrawnBox>(&box.Drawing()[0]);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->x2, 2);
  EXPECT_EQ(bar->y2, box.ScaleHeight());
  EXPECT_EQ(bar->color, blue);
  const auto* blit = std::get_if<DrawnBlit>(&box.Drawing()[1]);
  ASSERT_NE(blit, nullptr);
  EXPECT_EQ(blit->width, 3);
  EXPECT_EQ(blit->rasterOperation, 0x00CC0020U);
  EXPECT_EQ(box.CurrentX(), 2) << "Line leaves the pen at its end";

  box.Cls();

  EXPECT_TRUE(box.Drawing().empty());
  EXPECT_EQ(box.CurrentX(), 0);
  EXPECT_EQ(box.CurrentY(), 0);
  EXPECT_EQ(box.ScaleWidth(), 3) << "Cls keeps the scale";
}

TEST_F(PictureBox, EveryDrawingStepReachesTheBackend) {
  Control& box = Box();
  windows.backend.ClearCalls();
  box.Cls();
  box.SetScaleWidth(2);
  box.Print("1");
  box.FilledBox(0, 0, 1, 1, Rgb{});
  box.BitBltSelf(0, 0, 1, 1, 0);
  box.Refresh();
  EXPECT_EQ(windows.backend.CallsStartingWith("ControlChanged frmProbe.picBar").size(), 6U);
}

TEST_F(PictureBox, DesignedFontAndColoursApplyAndDefaultsFollowTheKind) {
  EXPECT_EQ(Box().BackColor(), ProbeForm::Design().backColor);
  EXPECT_EQ(form.Ctl("txtEntry").BackColor(), (Rgb{255, 255, 255}));
  FormDesign design = ProbeForm::Design();
  design.name = "frmStyled";
  design.controls[6].foreColor = Rgb{0, 0, 255};
  design.controls[6].font = Font{"MS Sans Serif", 8.25, true};
  ProbeForm styled(design);
  EXPECT_EQ(styled.Ctl("picBar").ForeColor(), (Rgb{0, 0, 255}));
  EXPECT_GT(styled.Ctl("picBar").TextWidth("100%"), Box().TextWidth("100%"));
}

}  // namespace
}  // namespace zarvelin::forms::testing
