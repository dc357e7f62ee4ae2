#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/RecordingWindowBackend.h"
#include "forms/ProbeForm.h"

namespace zarvelin::forms::testing {
namespace {

TEST(RecordingWindowBackend, ScriptsRunInOrderAndTheLastStaysInForce) {
  RecordedWindows windows;
  ProbeForm form;
  std::vector<std::string> played;
  windows.backend.OnModal("frmProbe", [&](Form& shown) {
    played.push_back("first");
    shown.Unload();
  });
  windows.backend.OnModal("frmProbe", [&](Form& shown) {
    played.push_back("second");
    shown.Hide();
  });

  form.Show(1);
  form.Show(1);
  form.Show(1);

  EXPECT_EQ(played, (std::vector<std::string>{"first", "second", "second"}));
  EXPECT_EQ(windows.backend.Window("frmProbe").modalRuns, 3);
}

TEST(RecordingWindowBackend, FormThatRefusesToCloseIsReportedNotWaitedFor) {
  RecordedWindows windows;
  ProbeForm form;
  form.cancelInQueryUnload = 1;
  form.Show(1);
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(windows.backend.CallsStartingWith("LeftOpen"),
            std::vector<std::string>{"LeftOpen frmProbe"});
}

struct PosCase {
  const char* name;
  intptr_t insertAfter;
  bool topmostAfter;
};

class RecordingWindowPos : public ::testing::TestWithParam<PosCase> {};

TEST_P(RecordingWindowPos, RecordsTheCallAndTheTopmostState) {
  const PosCase& c = GetParam();
  RecordedWindows windows;
  ProbeForm form;
  form.Load();
  windows.backend.SetWindowPos(form, -1, 0, 0, 0, 0, 19);
  windows.backend.SetWindowPos(form, c.insertAfter, 1, 2, 3, 4, 19);
  EXPECT_EQ(windows.backend.Topmost("frmProbe"), c.topmostAfter);
  EXPECT_EQ(windows.backend.CallsStartingWith("SetWindowPos").back(),
            "SetWindowPos frmProbe " + std::to_string(c.insertAfter) + " 1 2 3 4 19");
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordingWindowPos,
                         ::testing::Values(PosCase{"Topmost", -1, true},
                                           PosCase{"NotTopmost", -2, false},
                                           PosCase{"BehindAnother", 0x20000, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(RecordingWindowBackend, UnloadDropsTheWindowState) {
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  windows.backend.SetWindowPos(form, -1, 0, 0, 0, 0, 19);
  form.Unload();
  const auto record = windows.backend.Window("frmProbe");
  EXPECT_FALSE(record.exists);
  EXPECT_FALSE(record.visible);
  EXPECT_FALSE(record.topmost);
  EXPECT_EQ(form.hWnd(), 0);
}

}  // namespace
}  // namespace zarvelin::forms::testing
