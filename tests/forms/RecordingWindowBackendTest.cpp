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
