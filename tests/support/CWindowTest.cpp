#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "forms/Form.h"
#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "support/CWindow.h"

namespace zarvelin {
namespace {

class CWindowTest : public testing::Test {
 protected:
  CWindowTest() {
    SetPlatform(&platform);
    forms::SetWindowBackend(&windows);
  }
  ~CWindowTest() override {
    forms::SetWindowBackend(nullptr);
    SetPlatform(nullptr);
  }

  static forms::FormDesign Sized(double clientWidth, double clientHeight) {
    forms::FormDesign design;
    design.name = "frmSized";
    design.clientWidth = clientWidth;
    design.clientHeight = clientHeight;
    return design;
  }

  fakes::ScriptedPlatform platform;
  fakes::RecordingWindowBackend windows;
  CWindow window;
};

TEST_F(CWindowTest, OnTopSwitchesTheStackingWithoutMovingOrActivating) {
  forms::Form form(Sized(3000, 2000));
  form.Load();
  form.Move(100, 200);

  window.SetOnTop(form, true);
  EXPECT_TRUE(windows.Topmost("frmSized"));
  window.SetOnTop(form, false);
  EXPECT_FALSE(windows.Topmost("frmSized"));

  EXPECT_EQ(windows.CallsStartingWith("SetWindowPos"),
            (std::vector<std::string>{"SetWindowPos frmSized -1 0 0 0 0 19",
                                      "SetWindowPos frmSized -2 0 0 0 0 19"}));
  EXPECT_EQ(form.Left(), 100);
  EXPECT_EQ(form.Top(), 200);
}

// The same room left and right (and above and below), to the fraction, even off the screen.
TEST_F(CWindowTest, CenterLeavesEqualRoomOnBothSidesWithoutRounding) {
  const struct {
    double screenWidth, screenHeight, clientWidth, clientHeight;
  } cases[] = {{15361, 11521, 1001, 999}, {9600, 7200, 12000, 3000}, {9600, 7200, 3000, 9000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clientWidth << "x" << c.clientHeight);
    platform.SetScreen(c.screenWidth, c.screenHeight);
    forms::Form form(Sized(c.clientWidth, c.clientHeight));
    form.Load();
    const double width = form.Width();
    const double height = form.Height();

    window.Center(form);

    EXPECT_DOUBLE_EQ(form.Left() * 2 + width, c.screenWidth);
    EXPECT_DOUBLE_EQ(form.Top() * 2 + height, c.screenHeight);
    EXPECT_EQ(form.Width(), width);
    EXPECT_EQ(form.Height(), height);
  }
}

}  // namespace
}  // namespace zarvelin
