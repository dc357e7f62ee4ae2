#include <gtest/gtest.h>

#include <string>

#include "fakes/ScriptedPlatform.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

struct ButtonCase {
  const char* name;
  int32_t style;
  int32_t firstButton;
};

class ScriptedMessageBoxes : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ScriptedMessageBoxes, QueuedAnswersFirstThenTheFirstButton) {
  const ButtonCase& c = GetParam();
  ScriptedPlatform platform;
  platform.AnswerMessageBoxes({mb::kAnswerNo});
  EXPECT_EQ(platform.MsgBox("one", "Zarvelin", c.style), mb::kAnswerNo);
  EXPECT_EQ(platform.MsgBox("two", "Title", c.style), c.firstButton);
  ASSERT_EQ(platform.Messages().size(), 2U);
  EXPECT_EQ(platform.Messages()[1], (ScriptedPlatform::ShownMessage{"two", "Title", c.style}));
  EXPECT_EQ(platform.Log().back(), "MessageBox " + std::to_string(c.style) + " Title: two -> " +
                                       std::to_string(c.firstButton));
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptedMessageBoxes,
                         ::testing::Values(ButtonCase{"OkOnly", mb::kExclamation, mb::kAnswerOk},
                                           ButtonCase{"YesNoQuestion", mb::kYesNo + mb::kQuestion,
                                                      mb::kAnswerYes},
                                           ButtonCase{"RetryCancel", 5 + mb::kCritical, 4}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The message boxes, clipboard, printer, shell and pointer of this fake are pinned by the error
// window's and the copy dialog's tests; drives and settings are pinned here.
TEST(ScriptedPlatform, DrivesByRootWithoutRegardToCaseAndSettingsWithDefaults) {
  ScriptedPlatform platform;
  EXPECT_EQ(platform.GetSetting("App", "Section", "Key", "0"), "0");
  platform.SaveSetting("App", "Section", "Key", "1");
  EXPECT_EQ(platform.GetSetting("App", "Section", "Key", "0"), "1");
  EXPECT_EQ(platform.GetSetting("App", "Other", "Key", "0"), "0");
  platform.SetDriveType("d:\\", drive::kCdRom);
  EXPECT_EQ(platform.DriveType("D:\\"), drive::kCdRom);
  EXPECT_EQ(platform.DriveType("C:\\"), drive::kFixed);
  platform.SetDefaultDriveType(drive::kNoRootDir);
  EXPECT_EQ(platform.DriveType("Q:\\"), drive::kNoRootDir);
}

}  // namespace
}  // namespace zarvelin::fakes
