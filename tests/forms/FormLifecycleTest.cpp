#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/ProbeForm.h"
#include "runtime/VbError.h"

namespace zarvelin::forms::testing {
namespace {

using Events = std::vector<std::string>;

TEST(FormLifecycle, FirstControlAccessLoadsOnceWithoutShowing) {
  RecordedWindows windows;
  ProbeForm form;
  EXPECT_FALSE(form.Loaded());
  EXPECT_TRUE(form.events.empty());

  form.Ctl("lblInfo").SetCaption("changed");
  form.Ctl("txtEntry");

  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.events, Events{"Form_Load"});
  EXPECT_EQ(windows.backend.CallsStartingWith("Created"), Events{"Created frmProbe"});
  EXPECT_NE(form.hWnd(), 0);
}

TEST(FormLifecycle, UnknownControlIsAProgrammingFault) {
  RecordedWindows windows;
  ProbeForm form;
  EXPECT_THROW(form.Ctl("lblMissing"), std::out_of_range);
}

TEST(FormLifecycle, ModelessShowLoadsActivatesAndReturns) {
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  EXPECT_EQ(form.events, (Events{"Form_Load", "Form_Activate"}));
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(windows.backend.IsVisible("frmProbe"));
  EXPECT_EQ(windows.backend.Window("frmProbe").modalRuns, 0);

  form.Show(0);
  EXPECT_EQ(form.events.size(), 2U) << "showing a shown form again neither loads nor activates";
}

TEST(FormLifecycle, ModalShowReturnsWhenTheScriptUnloads) {
  RecordedWindows windows;
  ProbeForm owner(ProbeForm::Design());
  FormSpec design = ProbeForm::Design();
  design.name = "frmModal";
  ProbeForm form(design);
  windows.backend.OnModal("frmModal", [](Form& shown) {
    EXPECT_TRUE(shown.Visible());
    shown.Click("cmdOK");
    shown.Unload();
  });

  form.Show(1, &owner);

  EXPECT_EQ(form.events, (Events{"Form_Load", "Form_Activate", "cmdOK_Click", "Form_QueryUnload",
                                 "Form_Unload"}));
  EXPECT_EQ(form.unloadModes, std::vector<int32_t>{unload::kFormCode});
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(windows.backend.CallsStartingWith("RunModal"), Events{"RunModal frmModal frmProbe"});
}

TEST(FormLifecycle, ModalShowReturnsWhenTheScriptHides) {
  RecordedWindows windows;
  ProbeForm form;
  windows.backend.OnModal("frmProbe", [](Form& shown) { shown.Hide(); });
  form.Show(1);
  EXPECT_TRUE(form.Loaded()) << "hiding ends the modal loop but keeps the form";
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.events, (Events{"Form_Load", "Form_Activate"}));
}

TEST(FormLifecycle, ModalFormLeftOpenByItsScriptIsClosedByTheUser) {
  RecordedWindows windows;
  ProbeForm form;
  form.Show(1);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.unloadModes, std::vector<int32_t>{unload::kFormControlMenu});
}

TEST(FormLifecycle, ShowingAShownFormModallyFails) {
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  try {
    form.Show(1);
    FAIL() << "a modeless form was shown modally";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), 400);
  }
}

struct UnloadCase {
  const char* name;
  int32_t cancelInQueryUnload;
  int32_t cancelInUnload;
  bool byUser;
  Events expectedEvents;
  bool unloaded;
};

class FormUnload : public ::testing::TestWithParam<UnloadCase> {};

TEST_P(FormUnload, HandlersMayCancel) {
  const UnloadCase& c = GetParam();
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  form.events.clear();
  form.cancelInQueryUnload = c.cancelInQueryUnload;
  form.cancelInUnload = c.cancelInUnload;

  const bool result = c.byUser ? form.CloseByUser() : form.Unload();

  EXPECT_EQ(result, c.unloaded);
  EXPECT_EQ(form.Loaded(), !c.unloaded);
  EXPECT_EQ(form.Visible(), !c.unloaded);
  EXPECT_EQ(form.events, c.expectedEvents);
  EXPECT_EQ(form.unloadModes,
            std::vector<int32_t>{c.byUser ? unload::kFormControlMenu : unload::kFormCode});
  EXPECT_EQ(windows.backend.Window("frmProbe").exists, !c.unloaded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormUnload,
    ::testing::Values(
        UnloadCase{"InCode", 0, 0, false, {"Form_QueryUnload", "Form_Unload"}, true},
        UnloadCase{"ByUser", 0, 0, true, {"Form_QueryUnload", "Form_Unload"}, true},
        UnloadCase{"QueryUnloadCancels", 1, 0, false, {"Form_QueryUnload"}, false},
        UnloadCase{"QueryUnloadCancelsUser", -1, 0, true, {"Form_QueryUnload"}, false},
        UnloadCase{"UnloadCancels", 0, 1, false, {"Form_QueryUnload", "Form_Unload"}, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FormLifecycle, UnloadingAnUnloadedFormRunsNoHandler) {
  RecordedWindows windows;
  ProbeForm form;
  EXPECT_TRUE(form.Unload());
  EXPECT_TRUE(form.events.empty());
  EXPECT_TRUE(windows.backend.Calls().empty());
}

TEST(FormLifecycle, NextLoadStartsFromTheDesign) {
  RecordedWindows windows;
  ProbeForm form;
  const FormSpec design = ProbeForm::Design();
  form.Ctl("lblInfo").SetCaption("run-time text");
  form.Ctl("txtEntry").SetText("other");
  form.Ctl("lblInner").SetVisible(false);
  form.Ctl("picBar").Move(1, 2, 3, 4);
  form.Ctl("picBar").SetScaleWidth(7);
  form.Ctl("picBar").Print("x");
  form.Ctl("lblInfo").ZOrder();
  form.SetCaption("Changed");
  form.Move(500, 600);
  ASSERT_TRUE(form.Unload());

  EXPECT_EQ(form.Ctl("lblInfo").Caption(), design.controls[0].caption);
  EXPECT_EQ(form.Ctl("txtEntry").Text(), design.controls[1].caption);
  EXPECT_TRUE(form.Ctl("lblInner").Visible());
  const Control& bar = form.Ctl("picBar");
  EXPECT_EQ(bar.Left(), design.controls[6].left);
  EXPECT_EQ(bar.Width(), design.controls[6].width);
  EXPECT_EQ(bar.ScaleWidth(), bar.InnerWidth());
  EXPECT_TRUE(bar.Drawing().empty());
  EXPECT_EQ(form.ZOrdered("").back()->Name(), "lblInfo");
  EXPECT_EQ(form.Caption(), design.caption);
  EXPECT_EQ(form.Left(), 0);
  EXPECT_EQ(form.events, (Events{"Form_Load", "Form_QueryUnload", "Form_Unload", "Form_Load"}));
  EXPECT_EQ(windows.backend.Window("frmProbe").createdCount, 2);
}

TEST(FormLifecycle, WindowSizeIsClientAreaPlusFrame) {
  RecordedWindows windows;
  ProbeForm form;
  form.Load();
  EXPECT_EQ(form.Width(), ProbeForm::Design().clientWidth + windows.backend.FrameWidth());
  EXPECT_EQ(form.Height(), ProbeForm::Design().clientHeight + windows.backend.FrameHeight());
}

TEST(FormLifecycle, WindowStateComesFromTheBackend) {
  RecordedWindows windows;
  ProbeForm form;
  form.Load();
  windows.backend.SetWindowStateOf("frmProbe", windowstate::kMinimized);
  EXPECT_EQ(form.WindowState(), windowstate::kMinimized);
}

TEST(FormLifecycle, ChangesReachTheBackendOnlyWhileLoaded) {
  RecordedWindows windows;
  ProbeForm form;
  form.Ctl("lblInfo").SetCaption("one");
  EXPECT_EQ(windows.backend.CallsStartingWith("ControlChanged"),
            Events{"ControlChanged frmProbe.lblInfo"});
  form.SetCaption("Other");
  EXPECT_EQ(windows.backend.CallsStartingWith("FormChanged"), Events{"FormChanged frmProbe"});
}

struct KeyCase {
  const char* name;
  bool enter;
  const char* hiddenButton;
  Events expectedEvents;
};

class FormKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FormKeys, EnterAndEscapeClickTheDefaultAndCancelButtons) {
  const KeyCase& c = GetParam();
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  form.events.clear();
  if (*c.hiddenButton != '\0') form.Ctl(c.hiddenButton).SetVisible(false);
  if (c.enter) {
    form.PressEnter();
  } else {
    form.PressEscape();
  }
  EXPECT_EQ(form.events, c.expectedEvents);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormKeys,
    ::testing::Values(KeyCase{"Enter", true, "", {"cmdOK_Click"}},
                      KeyCase{"Escape", false, "", {"cmdCancel_Click"}},
                      KeyCase{"EnterWithDefaultHidden", true, "cmdOK", {}},
                      KeyCase{"EscapeWithCancelHidden", false, "cmdCancel", {}},
                      KeyCase{"EscapeWithDefaultHidden", false, "cmdOK", {"cmdCancel_Click"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FormInput, ClicksGoToTheirOwnHandlers) {
  RecordedWindows windows;
  ProbeForm form;
  form.Show(0);
  form.events.clear();
  form.DblClick("lblInfo");
  form.Click("lblInfo");
  form.Click("cmdCancel");
  EXPECT_EQ(form.events, (Events{"lblInfo_DblClick", "cmdCancel_Click"}));
}

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (const Control* control : controls) names.push_back(control->Name());
  return names;
}

TEST(FormZOrder, LaterControlsLieInFrontUntilBroughtForward) {
  RecordedWindows windows;
  ProbeForm form;
  form.Load();
  EXPECT_EQ(Names(form.ZOrdered("fraBox")), (Events{"picBar", "lblInner"}));

  form.Ctl("lblInner").ZOrder();

  EXPECT_EQ(Names(form.ZOrdered("fraBox")), (Events{"lblInner", "picBar"}));
  EXPECT_EQ(Names(form.ZOrdered("")),
            (Events{"lblTitle", "fraBox", "cmdCancel", "cmdOK", "txtEntry", "lblInfo"}))
      << "bringing a frame's control forward leaves the form's own order alone";
}

TEST(FormHandles, ControlsHaveTheirOwnHandlesWhileLoaded) {
  RecordedWindows windows;
  ProbeForm form;
  form.Load();
  const intptr_t label = form.Ctl("lblInfo").hWnd();
  const intptr_t box = form.Ctl("txtEntry").hWnd();
  EXPECT_NE(label, 0);
  EXPECT_NE(label, box);
  EXPECT_NE(label, form.hWnd());
  form.Unload();
  EXPECT_EQ(form.Controls()[0]->hWnd(), 0);
}

}  // namespace
}  // namespace zarvelin::forms::testing
