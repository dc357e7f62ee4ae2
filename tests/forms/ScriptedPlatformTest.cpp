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
  EXPECT_EQ(platform.MessageBox("one", "Zarvelin", c.style), mb::kAnswerNo);
  EXPECT_EQ(platform.MessageBox("two", "Title", c.style), c.firstButton);
  ASSERT_EQ(platform.Messages().size(), 2U);
  EXPECT_EQ(platform.Messages()[1], (ScriptedPlatform::ShownMessage{"two", "Title", c.style}));
  EXPECT_EQ(platform.Log().back(), "MessageBox " + std::to_string(c.style) + " Title: two -> " +
                                       std::to_string(c.firstButton));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptedMessageBoxes,
    ::testing::Values(ButtonCase{"OkOnly", mb::kExclamation, mb::kAnswerOk},
                      ButtonCase{"YesNoQuestion", mb::kYesNo + mb::kQuestion, mb::kAnswerYes},
                      ButtonCase{"Information", mb::kInformation, mb::kAnswerOk},
                      ButtonCase{"RetryCancel", 5 + mb::kCritical, 4}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ScriptedPlatform, ClipboardClearEmptiesEveryFormatSetTextOnlyItsOwn) {
  ScriptedPlatform platform;
  platform.PutOnClipboard("old", 101);
  platform.ClipboardSetText("report");
  EXPECT_EQ(platform.ClipboardBitmap(), 101);
  EXPECT_EQ(platform.ClipboardGetText(), "report");
  platform.ClipboardClear();
  EXPECT_FALSE(platform.ClipboardBitmap().has_value());
  EXPECT_EQ(platform.ClipboardGetText(), "");
  EXPECT_EQ(platform.ClipboardClears(), 1);
}

TEST(ScriptedPlatform, DrivesByRootWithoutRegardToCase) {
  ScriptedPlatform platform;
  platform.SetDriveType("d:\\", drive::kCdRom);
  EXPECT_EQ(platform.DriveType("D:\\"), drive::kCdRom);
  EXPECT_EQ(platform.DriveType("C:\\"), drive::kFixed);
  platform.SetDefaultDriveType(drive::kNoRootDir);
  EXPECT_EQ(platform.DriveType("Q:\\"), drive::kNoRootDir);
}

TEST(ScriptedPlatform, ShellExecuteIsRecordedAndAnsweredFromItsScript) {
  ScriptedPlatform platform;
  platform.AnswerShellExecute({2});
  EXPECT_EQ(platform.ShellExecute(7, "Explore", "Q:\\nowhere", "", "", 9), 2);
  EXPECT_GT(platform.ShellExecute(7, "Explore", "c:\\", "", "", 9), 32);
  ASSERT_EQ(platform.ShellCalls().size(), 2U);
  EXPECT_EQ(platform.ShellCalls()[0],
            (ScriptedPlatform::ShellCall{7, "Explore", "Q:\\nowhere", "", "", 9}));
}

TEST(ScriptedPlatform, SettingsKeepTheirValuesAndDefaults) {
  ScriptedPlatform platform;
  EXPECT_EQ(platform.GetSetting("App", "Section", "Key", "0"), "0");
  platform.SaveSetting("App", "Section", "Key", "1");
  EXPECT_EQ(platform.GetSetting("App", "Section", "Key", "0"), "1");
  EXPECT_EQ(platform.GetSetting("App", "Other", "Key", "0"), "0");
}

TEST(ScriptedPlatform, MissingPrinterFailsAndPrintsNothing) {
  ScriptedPlatform platform;
  platform.SetPrinter(std::nullopt);
  EXPECT_THROW(platform.PrinterDeviceName(), VbError);
  EXPECT_THROW(platform.PrintDocument("text", 1, 0.5f), VbError);
  EXPECT_TRUE(platform.Printed().empty());
  platform.SetPrinter("Laser");
  EXPECT_EQ(platform.PrinterDeviceName(), "Laser");
  platform.PrintDocument("text", 5, 0.5f);
  ASSERT_EQ(platform.Printed().size(), 1U);
  EXPECT_EQ(platform.Printed()[0].scaleMode, 5);
}

TEST(ScriptedPlatform, MousePointerAndDoEventsAreCounted) {
  ScriptedPlatform platform;
  platform.SetMousePointer(pointer::kHourglass);
  platform.DoEvents();
  platform.SetMousePointer(pointer::kDefault);
  EXPECT_EQ(platform.MousePointerHistory(),
            (std::vector<int32_t>{pointer::kHourglass, pointer::kDefault}));
  EXPECT_EQ(platform.MousePointer(), pointer::kDefault);
  EXPECT_EQ(platform.DoEventsCount(), 1);
}

}  // namespace
}  // namespace zarvelin::fakes
