#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/ProbeForm.h"
#include "runtime/VbError.h"

namespace zarvelin::forms::testing {
namespace {

using Events = std::vector<std::string>;

class FormLifecycle : public ::testing::Test {
 protected:
  RecordedWindows windows;
  ProbeForm form;
};

TEST_F(FormLifecycle, FirstControlAccessLoadsOnceWithoutShowing) {
  EXPECT_FALSE(form.Loaded());
  form.Ctl("lblInfo").SetCaption("changed");
  form.Ctl("txtEntry");
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.events, Events{"Form_Load"});
  EXPECT_EQ(windows.backend.CallsStartingWith("Created"), Events{"Created frmProbe"});
  EXPECT_EQ(windows.backend.CallsStartingWith("ControlChanged"),
            Events{"ControlChanged frmProbe.lblInfo"});
  EXPECT_THROW(form.Ctl("lblMissing"), std::out_of_range);
}

TEST_F(FormLifecycle, ModelessShowLoadsActivatesAndReturns) {
  form.Show(0);
  form.Show(0);
  EXPECT_EQ(form.events, (Events{"Form_Load", "Form_Activate"}));
  EXPECT_TRUE(windows.backend.IsVisible("frmProbe"));
  EXPECT_EQ(windows.backend.Window("frmProbe").modalRuns, 0);
  EXPECT_EQ(form.Width(), ProbeForm::Design().clientWidth + windows.backend.FrameWidth());
  EXPECT_EQ(form.Height(), ProbeForm::Design().clientHeight + windows.backend.FrameHeight());
  windows.backend.SetWindowStateOf("frmProbe", windowstate::kMinimized);
  EXPECT_EQ(form.WindowState(), windowstate::kMinimized);
  try {
    form.Show(1);
    FAIL() << "a modeless form was shown modally";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), 400);
  }
}

struct ModalCase {
  const char* name;
  std::function<void(Form&)> script;  // empty: the script leaves the form open
  Events events;
  bool loadedAfter;
  std::vector<int32_t> unloadModes;
};

class ModalShow : public FormLifecycle, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalShow, ReturnsWhenTheScriptIsDone) {
  const ModalCase& c = GetParam();
  ProbeForm owner([] {
    FormDesign design = ProbeForm::Design();
    design.name = "frmOwner";
    return design;
  }());
  if (c.script) windows.backend.OnModal("frmProbe", c.script);
  form.Show(1, &owner);
  EXPECT_EQ(form.events, c.events);
  EXPECT_EQ(form.Loaded(), c.loadedAfter);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.unloadModes, c.unloadModes);
  EXPECT_EQ(windows.backend.CallsStartingWith("RunModal"), Events{"RunModal frmProbe frmOwner"});
}

const Events kShown{"Form_Load", "Form_Activate"};
const Events kClosed{"Form_Load", "Form_Activate", "Form_QueryUnload", "Form_Unload"};

INSTANTIATE_TEST_SUITE_P(
    Scripts, ModalShow,
    ::testing::Values(
        ModalCase{"Unloads",
                  [](Form& shown) {
                    EXPECT_TRUE(shown.Visible());
                    shown.Click("cmdOK");
                    shown.Unload();
                  },
                  {"Form_Load", "Form_Activate", "cmdOK_Click", "Form_QueryUnload", "Form_Unload"},
                  false,
                  {unload::kFormCode}},
        ModalCase{"HidesAndKeepsTheForm", [](Form& shown) { shown.Hide(); }, kShown, true, {}},
        ModalCase{"LeavesItOpenSoTheUserCloses", {}, kClosed, false, {unload::kFormControlMenu}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct UnloadCase {
  const char* name;
  int32_t cancelInQueryUnload;
  int32_t cancelInUnload;
  bool byUser;
  Events expectedEvents;
  bool unloaded;
};

class FormUnload : public FormLifecycle, public ::testing::WithParamInterface<UnloadCase> {};

TEST_P(FormUnload, HandlersMayCancel) {
  const UnloadCase& c = GetParam();
  form.Show(0);
  form.events.clear();
  form.cancelInQueryUnload = c.cancelInQueryUnload;
  form.cancelInUnload = c.cancelInUnload;

  EXPECT_EQ(c.byUser ? form.CloseByUser() : form.Unload(), c.unloaded);
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

TEST_F(FormLifecycle, UnloadingAnUnloadedFormRunsNoHandler) {
  EXPECT_TRUE(form.Unload());
  EXPECT_TRUE(form.events.empty());
  EXPECT_TRUE(windows.backend.Calls().empty());
}

TEST_F(FormLifecycle, NextLoadStartsFromTheDesign) {
  const FormDesign design = ProbeForm::Design();
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

struct InputCase {
  const char* name;
  std::function<void(ProbeForm&)> input;
  Events expectedEvents;
};

class FormInput : public FormLifecycle, public ::testing::WithParamInterface<InputCase> {};

TEST_P(FormInput, ReachesTheHandlerOfTheControl) {
  form.Show(0);
  form.events.clear();
  GetParam().input(form);
  EXPECT_EQ(form.events, GetParam().expectedEvents);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormInput,
    ::testing::Values(InputCase{"Enter", [](ProbeForm& f) { f.PressEnter(); }, {"cmdOK_Click"}},
                      InputCase{
                          "Escape", [](ProbeForm& f) { f.PressEscape(); }, {"cmdCancel_Click"}},
                      InputCase{"EnterWithDefaultHidden",
                                [](ProbeForm& f) {
                                  f.Ctl("cmdOK").SetVisible(false);
                                  f.PressEnter();
                                },
                                {}},
                      InputCase{"EscapeWithCancelHidden",
                                [](ProbeForm& f) {
                                  f.Ctl("cmdCancel").SetVisible(false);
                                  f.PressEscape();
                                },
                                {}},
                      InputCase{"EscapeWithDefaultHidden",
                                [](ProbeForm& f) {
                                  f.Ctl("cmdOK").SetVisible(false);
                                  f.PressEscape();
                                },
                                {"cmdCancel_Click"}},
                      InputCase{"ClicksAndDoubleClicks",
                                [](ProbeForm& f) {
                                  f.DblClick("lblInfo");
                                  f.Click("lblInfo");
                                  f.Click("cmdCancel");
                                },
                                {"lblInfo_DblClick", "cmdCancel_Click"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (const Control* control : controls) names.push_back(control->Name());
  return names;
}

TEST_F(FormLifecycle, LaterControlsLieInFrontUntilBroughtForward) {
  form.Load();
  EXPECT_EQ(Names(form.ZOrdered("fraBox")), (Events{"picBar", "lblInner"}));
  form.Ctl("lblInner").ZOrder();
  EXPECT_EQ(Names(form.ZOrdered("fraBox")), (Events{"lblInner", "picBar"}));
  EXPECT_EQ(Names(form.ZOrdered("")),
            (Events{"lblTitle", "fraBox", "cmdCancel", "cmdOK", "txtEntry", "lblInfo"}))
      << "bringing a frame's control forward leaves the form's own order alone";
}

TEST_F(FormLifecycle, ControlsHaveTheirOwnHandlesWhileLoaded) {
  form.Load();
  const intptr_t label = form.Ctl("lblInfo").hWnd();
  EXPECT_NE(label, 0);
  EXPECT_NE(label, form.Ctl("txtEntry").hWnd());
  EXPECT_NE(label, form.hWnd());
  form.SetCaption("Other");
  EXPECT_EQ(windows.backend.CallsStartingWith("FormChanged"), Events{"FormChanged frmProbe"});
  form.Unload();
  EXPECT_EQ(form.Controls()[0]->hWnd(), 0);
}

}  // namespace
}  // namespace zarvelin::forms::testing
