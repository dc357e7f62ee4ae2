#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "forms/ProbeForm.h"
#include "terminal/HeadlessWindows.h"

namespace zarvelin::forms::testing {
namespace {

// A headless backend writing to a temporary file, installed for one test.
// Redrawing in place is what a terminal gets; a log file gets one line per change.
class Headless : public ::testing::Test {
 protected:
  explicit Headless(bool inPlace = true) : windows(out.get(), inPlace) {
    SetWindowBackend(&windows);
  }
  ~Headless() override { SetWindowBackend(nullptr); }
  std::string Written() {
    std::fflush(out.get());
    std::rewind(out.get());
    std::string text;
    for (int c = std::fgetc(out.get()); c != EOF; c = std::fgetc(out.get())) {
      text += static_cast<char>(c);
    }
    return text;
  }

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out{std::tmpfile(), &std::fclose};
  terminal::HeadlessWindows windows;
};

struct ModalCase {
  const char* name;
  std::function<void(FormDesign&)> design;
  std::function<void(ProbeForm&)> change;
  std::string written;
  std::vector<std::string> events;
};

class HeadlessModal : public Headless, public ::testing::WithParamInterface<ModalCase> {};

// A button that leaves the form open is followed by the close command.
TEST_P(HeadlessModal, WritesTheFormTopToBottomAndPressesTheUnattendedButton) {
  FormDesign design = ProbeForm::Design();
  GetParam().design(design);
  ProbeForm form(design);
  GetParam().change(form);
  form.Show(1);
  EXPECT_EQ(Written(), GetParam().written);
  EXPECT_EQ(form.events, GetParam().events);
  EXPECT_EQ(form.unloadModes, std::vector<int32_t>{unload::kFormControlMenu});
  EXPECT_FALSE(form.Loaded());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeadlessModal,
    ::testing::Values(
        ModalCase{"EveryText",
                  [](FormDesign&) {},
                  [](ProbeForm& f) { f.Ctl("lblInner").SetCaption("Inner\r\nsecond line"); },
                  "Probe\nTitle\nDesign text\ntyped\nInner\nsecond line\n",
                  {"Form_Load", "Form_Activate", "cmdOK_Click", "Form_QueryUnload", "Form_Unload"}},
        ModalCase{"ARowOnOneLine",
                  [](FormDesign&) {},
                  [](ProbeForm& f) { f.Ctl("lblInfo").Move(3300, 120, 1000, 255); },
                  "Probe\nTitle Design text\ntyped\nInside\n",
                  {"Form_Load", "Form_Activate", "cmdOK_Click", "Form_QueryUnload", "Form_Unload"}},
        ModalCase{"HiddenAndEmptyTextsLeftOut",
                  [](FormDesign& d) { d.unattendedButton.clear(); },
                  [](ProbeForm& f) {
                    f.Ctl("lblInfo").SetVisible(false);
                    f.Ctl("txtEntry").SetText("");
                  },
                  "Probe\nTitle\nInside\n",
                  {"Form_Load", "Form_Activate", "Form_QueryUnload", "Form_Unload"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(Headless, TopmostIsKeptAsState) {
  ProbeForm form;
  form.Load();
  windows.SetWindowPos(form, -1, 0, 0, 0, 0, 19);
  EXPECT_TRUE(windows.Topmost("frmProbe"));
  windows.SetWindowPos(form, -2, 0, 0, 0, 0, 19);
  EXPECT_FALSE(windows.Topmost("frmProbe"));
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

class HeadlessProgress : public Headless, public ::testing::WithParamInterface<BarCase> {
 protected:
  HeadlessProgress() : Headless(false) {}
};

TEST_P(HeadlessProgress, OneLinePerChangeNoneForARepeat) {
  const BarCase& c = GetParam();
  ProbeForm form;
  Control& box = form.Ctl("picBar");
  box.SetScaleWidth(c.components);
  box.Print("50%");
  EXPECT_EQ(terminal::ProgressBarText(box), "") << "text alone is no bar";
  DrawProgress(box, c.counter);
  DrawProgress(box, c.counter);
  EXPECT_EQ(Written(), c.expected + "\n");
  EXPECT_EQ(terminal::ProgressBarText(box), c.expected);
  box.Cls();
  EXPECT_EQ(terminal::ProgressBarText(box), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, HeadlessProgress,
                         ::testing::Values(BarCase{"Half", 2, 1, "[##########          ]  50%"},
                                           BarCase{"Quarter", 4, 1, "[#####               ]  25%"},
                                           BarCase{"Nothing", 8, 0, "[                    ]   0%"},
                                           BarCase{"Full", 3, 3, "[####################] 100%"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(Headless, TerminalRedrawsInPlaceAndHidingOrUnloadingEndsTheLineOnce) {
  ProbeForm form;
  Control& box = form.Ctl("picBar");
  box.SetScaleWidth(2);
  DrawProgress(box, 1);
  DrawProgress(box, 2);
  box.SetVisible(false);
  EXPECT_EQ(Written(), "\r[##########          ]  50%\r[####################] 100%\n");
  form.Unload();
  EXPECT_EQ(Written(), "\r[##########          ]  50%\r[####################] 100%\n");
}

TEST_F(Headless, TerminalLineEndsWhenTheFormGoes) {
  ProbeForm form;
  Control& box = form.Ctl("picBar");
  box.SetScaleWidth(2);
  DrawProgress(box, 1);
  form.Unload();
  EXPECT_EQ(Written(), "\r[##########          ]  50%\n");
}

}  // namespace
}  // namespace zarvelin::forms::testing
