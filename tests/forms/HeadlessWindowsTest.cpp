#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "forms/ProbeForm.h"
#include "platform/headless/HeadlessWindows.h"

namespace zarvelin::forms::testing {
namespace {

// Installs a headless backend for one test.
class HeadlessScope {
 public:
  explicit HeadlessScope(std::FILE* out = stderr, bool inPlace = false) : windows(out, inPlace) {
    SetWindowBackend(&windows);
  }
  ~HeadlessScope() { SetWindowBackend(nullptr); }
  HeadlessScope(const HeadlessScope&) = delete;
  HeadlessScope& operator=(const HeadlessScope&) = delete;

  headless::HeadlessWindows windows;
};

TEST(HeadlessModal, WritesTheFormTopToBottomAndPressesTheUnattendedButton) {
  HeadlessScope scope;
  ProbeForm form;
  form.Ctl("lblInner").SetCaption("Inner\r\nsecond line");

  ::testing::internal::CaptureStderr();
  form.Show(1);
  const std::string shown = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(shown, "Probe\nTitle\nDesign text\ntyped\nInner\nsecond line\n");
  EXPECT_EQ(form.events, (std::vector<std::string>{"Form_Load", "Form_Activate", "cmdOK_Click",
                                                   "Form_QueryUnload", "Form_Unload"}));
  EXPECT_EQ(form.unloadModes, std::vector<int32_t>{unload::kFormControlMenu})
      << "a button that leaves the form open is followed by the close command";
  EXPECT_FALSE(form.Loaded());
}

TEST(HeadlessModal, HiddenAndEmptyTextsAreLeftOut) {
  HeadlessScope scope;
  ProbeForm form;
  form.Ctl("lblInfo").SetVisible(false);
  form.Ctl("txtEntry").SetText("");

  ::testing::internal::CaptureStderr();
  form.Show(1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Probe\nTitle\nInside\n");
}

TEST(HeadlessModal, WithoutUnattendedButtonTheFormIsClosed) {
  HeadlessScope scope;
  FormSpec design = ProbeForm::Design();
  design.unattendedButton.clear();
  ProbeForm form(design);

  ::testing::internal::CaptureStderr();
  form.Show(1);
  ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(form.events, (std::vector<std::string>{"Form_Load", "Form_Activate", "Form_QueryUnload",
                                                   "Form_Unload"}));
  EXPECT_EQ(form.unloadModes, std::vector<int32_t>{unload::kFormControlMenu});
}

TEST(HeadlessWindowPos, TopmostIsKeptAsState) {
  HeadlessScope scope;
  ProbeForm form;
  form.Load();
  scope.windows.SetWindowPos(form, -1, 0, 0, 0, 0, 19);
  EXPECT_TRUE(scope.windows.Topmost("frmProbe"));
  scope.windows.SetWindowPos(form, -2, 0, 0, 0, 0, 19);
  EXPECT_FALSE(scope.windows.Topmost("frmProbe"));
}

// One progress step as the copy draws it: clear, centred percentage, bar, blit, refresh.
void DrawProgress(Control& box, int32_t counter) {
  const std::string text =
      std::to_string(static_cast<int>(counter / box.ScaleWidth() * 100 + 0.5)) + "%";
  box.Cls();
  box.SetCurrentX(static_cast<int32_t>(box.ScaleWidth() - box.TextWidth(text)) / 2);
  box.SetCurrentY(static_cast<int32_t>(box.ScaleHeight() - box.TextHeight(text)) / 2);
  box.Print(text);
  box.FilledBox(0, 0, counter, box.ScaleHeight(), Rgb{0, 0, 255});
  box.BitBltSelf(0, 0, static_cast<int32_t>(box.ScaleWidth()),
                 static_cast<int32_t>(box.ScaleHeight()), 0x00CC0020);
  box.Refresh();
}

struct BarCase {
  const char* name;
  int32_t components;
  int32_t counter;
  std::string expected;
};

class HeadlessProgress : public ::testing::TestWithParam<BarCase> {};

TEST_P(HeadlessProgress, BarShowsTheSamePercentage) {
  const BarCase& c = GetParam();
  HeadlessScope scope;
  ProbeForm form;
  Control& box = form.Ctl("picBar");
  box.SetScaleWidth(c.components);

  ::testing::internal::CaptureStderr();
  DrawProgress(box, c.counter);
  DrawProgress(box, c.counter);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.expected + "\n")
      << "one line per change, none for a repeat";
}

INSTANTIATE_TEST_SUITE_P(Cases, HeadlessProgress,
                         ::testing::Values(BarCase{"Half", 2, 1, "[##########          ]  50%"},
                                           BarCase{"Quarter", 4, 1, "[#####               ]  25%"},
                                           BarCase{"Nothing", 8, 0, "[                    ]   0%"},
                                           BarCase{"Full", 3, 3, "[####################] 100%"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(HeadlessProgressText, NeedsBothBarAndText) {
  RecordedWindows windows;
  ProbeForm form;
  Control& box = form.Ctl("picBar");
  box.SetScaleWidth(2);
  box.Print("50%");
  EXPECT_EQ(headless::ProgressBarText(box), "");
  box.FilledBox(0, 0, 1, 1, Rgb{});
  EXPECT_EQ(headless::ProgressBarText(box), "[##########          ]  50%");
  box.Cls();
  EXPECT_EQ(headless::ProgressBarText(box), "");
}

std::string ReadAll(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
  return text;
}

TEST(HeadlessProgressTerminal, HidingTheBoxEndsTheLineOnce) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    HeadlessScope scope(out, true);
    ProbeForm form;
    Control& box = form.Ctl("picBar");
    box.SetScaleWidth(1);
    DrawProgress(box, 1);
    box.SetVisible(false);
    EXPECT_EQ(ReadAll(out), "\r[####################] 100%\n");
    form.Unload();
    EXPECT_EQ(ReadAll(out), "\r[####################] 100%\n");
  }
  std::fclose(out);
}

TEST(HeadlessProgressTerminal, RedrawsInPlaceAndEndsTheLineWhenTheFormGoes) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    HeadlessScope scope(out, true);
    ProbeForm form;
    Control& box = form.Ctl("picBar");
    box.SetScaleWidth(2);
    DrawProgress(box, 1);
    DrawProgress(box, 2);
    form.Unload();
    EXPECT_EQ(ReadAll(out), "\r[##########          ]  50%\r[####################] 100%\n");
  }
  std::fclose(out);
}

}  // namespace
}  // namespace zarvelin::forms::testing
