#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/ScriptedPlatform.h"
#include "filebacked/FileBackedIde.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace zarvelin::filebacked {
namespace {

class FileBackedIdeCommandBarsTest : public ::testing::Test {
 protected:
  FileBackedIdeCommandBarsTest() { SetPlatform(&platform_); }
  ~FileBackedIdeCommandBarsTest() override { SetPlatform(nullptr); }

  std::vector<std::string> Captions(const std::string& bar) {
    ide::CommandBarControls& controls = vbe_.Bars().Item(bar)->Controls();
    std::vector<std::string> captions;
    for (int32_t i = 1; i <= controls.Count(); ++i) captions.push_back(controls.Item(i)->Caption());
    return captions;
  }

  fakes::ScriptedPlatform platform_;
  FileBackedVBE vbe_{IdeConfiguration{}};
};

struct BarCase {
  std::string name;
  int32_t atLeast;
};

class FileBackedIdeBarTest : public FileBackedIdeCommandBarsTest,
                             public ::testing::WithParamInterface<BarCase> {};

TEST_P(FileBackedIdeBarTest, ExistsByNameWhateverTheLetterCase) {
  const int32_t count = vbe_.Bars().Item(GetParam().name)->Controls().Count();
  EXPECT_GE(count, GetParam().atLeast);
  std::string upper = GetParam().name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(vbe_.Bars().Item(upper), vbe_.Bars().Item(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Bars, FileBackedIdeBarTest,
                         ::testing::Values(BarCase{"File", 7}, BarCase{"Add-Ins", 1},
                                           BarCase{"Standard", 1}));

TEST_F(FileBackedIdeCommandBarsTest, AnUnknownBarFails) {
  try {
    vbe_.Bars().Item("Edits");
    ADD_FAILURE() << "found a bar that is not there";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kInvalidProcedureCall);
  }
}

struct AddCase {
  std::string bar;
  int32_t before;
  bool temporary;
};

class FileBackedIdeAddControlTest : public FileBackedIdeCommandBarsTest,
                                    public ::testing::WithParamInterface<AddCase> {};

TEST_P(FileBackedIdeAddControlTest, PutsTheControlWhereAsked) {
  const AddCase& c = GetParam();
  std::vector<std::string> captions = Captions(c.bar);
  ide::CommandBarControls& controls = vbe_.Bars().Item(c.bar)->Controls();

  const auto added = controls.Add(ide::commandbar::kButton, c.before, c.temporary);
  added->SetCaption("Zarvelin ...");
  added->SetStyle(ide::commandbar::kStyleIconAndCaption);

  const size_t position = c.before == 0 ? captions.size() : static_cast<size_t>(c.before - 1);
  captions.insert(captions.begin() + static_cast<std::ptrdiff_t>(position), "Zarvelin ...");
  EXPECT_EQ(Captions(c.bar), captions);
  EXPECT_EQ(controls.Item(static_cast<int32_t>(position) + 1), added);
  EXPECT_EQ(added->Style(), ide::commandbar::kStyleIconAndCaption);
  auto& ours = dynamic_cast<FileBackedCommandBarControl&>(*added);
  EXPECT_EQ(ours.Temporary(), c.temporary);
  EXPECT_EQ(ours.ControlType(), ide::commandbar::kButton);

  added->Delete();
  captions.erase(captions.begin() + static_cast<std::ptrdiff_t>(position));
  EXPECT_EQ(Captions(c.bar), captions);
  EXPECT_TRUE(ours.Deleted());
  EXPECT_THROW(added->Delete(), VbError);
}

INSTANTIATE_TEST_SUITE_P(Bars, FileBackedIdeAddControlTest,
                         ::testing::Values(AddCase{"File", 7, true}, AddCase{"File", 1, false},
                                           AddCase{"Add-Ins", 0, false},
                                           AddCase{"Standard", 0, false},
                                           AddCase{"Add-Ins", 3, false}));

TEST_F(FileBackedIdeCommandBarsTest, AddRefusesAPositionBeyondTheEnd) {
  ide::CommandBarControls& controls = vbe_.Bars().Item("Add-Ins")->Controls();
  const int32_t count = controls.Count();
  for (const int32_t before : {-1, count + 2}) {
    EXPECT_THROW(controls.Add(ide::commandbar::kButton, before, false), VbError) << before;
  }
  EXPECT_EQ(controls.Count(), count);
}

TEST_F(FileBackedIdeCommandBarsTest, PasteFaceTakesThePictureOnTheClipboard) {
  const auto control = vbe_.Bars().Item("Standard")->Controls().Add(1, 0, false);
  auto& ours = dynamic_cast<FileBackedCommandBarControl&>(*control);
  platform_.PutOnClipboard("text only", std::nullopt);
  EXPECT_THROW(control->PasteFace(), VbError);
  EXPECT_FALSE(ours.Face().has_value());
  for (const int32_t bitmap : {101, 102}) {
    platform_.PutOnClipboard("text too", bitmap);
    control->PasteFace();
    EXPECT_EQ(ours.Face(), std::to_string(bitmap));
  }
}

struct ClickCase {
  std::string label;
  bool setHandled;
  bool setCancel;
  ClickFlags incoming;
};

class FileBackedIdeClickTest : public FileBackedIdeCommandBarsTest,
                               public ::testing::WithParamInterface<ClickCase> {};

// A click reaches the handler with the control and both flags, and the flags come back as the
// handler left them.
TEST_P(FileBackedIdeClickTest, ReachesTheHandlerWithItsFlags) {
  const ClickCase& c = GetParam();
  const auto control = vbe_.Bars().Item("File")->Controls().Add(1, 7, true);
  const auto events = vbe_.GetEvents().CommandBarEventsFor(control);
  int clicks = 0;
  events->SetClickHandler([&](ide::CommandBarControl& clicked, bool& handled, bool& cancel) {
    ++clicks;
    EXPECT_EQ(&clicked, control.get());
    EXPECT_EQ(handled, c.incoming.handled);
    EXPECT_EQ(cancel, c.incoming.cancelDefault);
    if (c.setHandled) handled = !handled;
    if (c.setCancel) cancel = !cancel;
  });
  const ClickFlags flags = dynamic_cast<FileBackedCommandBarControl&>(*control).Click(c.incoming);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(flags.handled, c.incoming.handled != c.setHandled);
  EXPECT_EQ(flags.cancelDefault, c.incoming.cancelDefault != c.setCancel);
}

INSTANTIATE_TEST_SUITE_P(Clicks, FileBackedIdeClickTest,
                         ::testing::Values(ClickCase{"Untouched", false, false, {}},
                                           ClickCase{"Handled", true, false, {}},
                                           ClickCase{"Cancelled", false, true, {}},
                                           ClickCase{"BothBack", true, true, {true, true}},
                                           ClickCase{"KeptIncoming", false, false, {true, false}}),
                         [](const auto& each) { return each.param.label; });

TEST_F(FileBackedIdeCommandBarsTest, ClicksReachOnlySourcesStillHeld) {
  const auto control = vbe_.Bars().Item("Add-Ins")->Controls().Add(1, 0, false);
  const auto other = vbe_.Bars().Item("Add-Ins")->Controls().Add(1, 0, false);
  std::vector<std::string> heard;
  auto first = vbe_.GetEvents().CommandBarEventsFor(control);
  first->SetClickHandler([&](auto&, bool&, bool&) { heard.push_back("first"); });
  auto second = vbe_.GetEvents().CommandBarEventsFor(control);
  second->SetClickHandler([&](auto&, bool&, bool&) { heard.push_back("second"); });
  auto elsewhere = vbe_.GetEvents().CommandBarEventsFor(other);
  elsewhere->SetClickHandler([&](auto&, bool&, bool&) { heard.push_back("other"); });

  auto& clickable = dynamic_cast<FileBackedCommandBarControl&>(*control);
  clickable.Click();
  EXPECT_EQ(heard, (std::vector<std::string>{"first", "second"}));

  heard.clear();
  first.reset();
  clickable.Click();
  EXPECT_EQ(heard, (std::vector<std::string>{"second"}));

  control->Delete();
  EXPECT_THROW(clickable.Click(), VbError);
}

struct AddInCase {
  std::vector<AddInEntry> installed;
  std::string progId;
  bool found;
};

class FileBackedIdeAddInsTest : public ::testing::TestWithParam<AddInCase> {};

TEST_P(FileBackedIdeAddInsTest, ListsTheConfiguredAddInsAndRecordsConnects) {
  const AddInCase& c = GetParam();
  FileBackedVBE vbe(IdeConfiguration{c.installed});
  ide::AddIns& addIns = vbe.Addins();
  ASSERT_EQ(addIns.Count(), static_cast<int32_t>(c.installed.size()));
  for (int32_t i = 1; i <= addIns.Count(); ++i) {
    EXPECT_EQ(addIns.Item(i)->ProgId(), c.installed[static_cast<size_t>(i - 1)].progId);
    EXPECT_EQ(addIns.Item(i)->Connect(), c.installed[static_cast<size_t>(i - 1)].connected);
  }
  EXPECT_THROW(addIns.Item(addIns.Count() + 1), VbError);

  const std::shared_ptr<FileBackedAddIn> addIn = vbe.InstalledAddIns().Find(c.progId);
  ASSERT_EQ(addIn != nullptr, c.found);
  if (!addIn) return;
  const bool was = addIn->Connect();
  addIn->SetConnect(!was);
  addIn->SetConnect(was);
  EXPECT_EQ(addIn->ConnectChanges(), (std::vector<bool>{!was, was}));
  EXPECT_EQ(addIn->Connect(), was);
}

INSTANTIATE_TEST_SUITE_P(
    AddIns, FileBackedIdeAddInsTest,
    ::testing::Values(AddInCase{{}, "vbscc", false}, AddInCase{{{"VBSCC", true}}, "vbscc", true},
                      AddInCase{{{"Other.Connect", true}, {"vbscc", false}}, "VbScc", true},
                      AddInCase{{{"Other.Connect", false}}, "vbscc", false}));

}  // namespace
}  // namespace zarvelin::filebacked
