#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyProjectFiles.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

using Component = fakes::FakeIde::ComponentScript;
using Message = fakes::ScriptedPlatform::ShownMessage;
namespace type = ide::component;

constexpr char kCopy[] = R"(C:\Copy)";

// A component saved in the project directory; an empty file name: never saved.
Component Saved(std::string name, int32_t componentType, std::string file) {
  Component c;
  c.name = std::move(name);
  c.type = componentType;
  c.fileName = file.empty() ? "" : R"(C:\Proj\)" + file;
  return c;
}
Component Refusing(std::string name, std::string file) {
  Component c = Saved(std::move(name), type::kVBForm, std::move(file));
  c.saveResult = false;
  return c;
}
Component Throwing(std::string name, std::string file, int32_t number) {
  Component c = Saved(std::move(name), type::kVBForm, std::move(file));
  c.saveError = VbError(number);
  return c;
}

std::string CopyingError(const std::string& file, int32_t number) {
  return "Error Copying File: \r\n\r\n" + std::string(kCopy) + "\\" + file +
         "\r\n\r\nError: " + std::to_string(number) + " " + StandardMessage(number) +
         "\r\nMake sure the disk is not full or write protected\r\nand that the file is not "
         "currently in use or read-only.";
}
std::string SavingError(const std::string& file) {
  return "Error Saving VB Component File: \r\n" + std::string(kCopy) + "\\" + file +
         "\r\n\r\nThe copy operation is halted!";
}

struct PassCase {
  std::string name;
  std::vector<Component> components;
  bool result;
  std::vector<std::string> saves;  // components whose SaveAs was called
  std::vector<Message> messages;
  std::vector<std::string> failures;  // "procedure number" that reached the report
  std::string bar;                    // the text the bar shows at the end; "" when never drawn
  std::optional<int32_t> pointerAtEnd;
};

class CopyProjectFilesTest : public CopyRoad, public testing::WithParamInterface<PassCase> {};

TEST_P(CopyProjectFilesTest, WalksTheComponentsUntilTheFirstFailure) {
  const PassCase& c = GetParam();
  ide.OpenProject(R"(C:\Proj\App.vbp)", c.components);

  EXPECT_EQ(CopyProjectFiles(*ide.ActiveVBProject(), kCopy, Box()), c.result);

  std::vector<std::string> saves;
  for (const std::string& call : ide.Calls()) {
    if (call.rfind("SaveAs ", 0) == 0) saves.push_back(call.substr(7, call.find(' ', 7) - 7));
  }
  EXPECT_EQ(saves, c.saves);
  for (const std::string& save : ide.Calls()) {
    EXPECT_NE(save.find(std::string(" ") + kCopy + "\\"), std::string::npos) << save;
  }
  EXPECT_EQ(platform.Messages(), c.messages);
  std::vector<std::string> reported;
  for (const std::string& failure : failures) {
    ASSERT_EQ(failure.rfind("CopyProjectFiles ", 0), 0u) << failure;
    reported.push_back("CopyProjectFiles " + failure.substr(failure.rfind(' ') + 1));
  }
  EXPECT_EQ(reported, c.failures);
  EXPECT_EQ(DrawnTexts(),
            c.bar.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.bar});
  if (c.pointerAtEnd) {
    EXPECT_EQ(platform.MousePointer(), *c.pointerAtEnd);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CopyProjectFilesTest,
    testing::Values(
        PassCase{"AllSaved",
                 {Saved("Form1", type::kVBForm, "Form1.frm"),
                  Saved("Form2", type::kVBMDIForm, "Form2.frm"),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 true,
                 {"Form1", "Form2", "Module1"},
                 {},
                 {},
                 "100%",
                 pointer::kDefault},
        PassCase{"EveryIdeSavedKind",
                 {Saved("M", type::kStdModule, "M.bas"), Saved("C", type::kClassModule, "C.cls"),
                  Saved("F3", type::kMSForm, "F3.frm"), Saved("F", type::kVBForm, "F.frm"),
                  Saved("D", type::kVBMDIForm, "D.frm"), Saved("P", type::kPropPage, "P.pag"),
                  Saved("U", type::kUserControl, "U.ctl"), Saved("O", type::kDocObject, "O.dob"),
                  Saved("X", type::kActiveXDesigner, "X.dsr")},
                 true,
                 {"M", "C", "F3", "F", "D", "P", "U", "O", "X"},
                 {},
                 {},
                 "100%",
                 pointer::kDefault},
        PassCase{"Unsaved",
                 {Saved("Form1", type::kVBForm, "Form1.frm"), Saved("Form2", type::kVBForm, ""),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 false,
                 {"Form1"},
                 {{"You Have Not Saved Form2\r\nYou must save all components before copying.",
                   "Copy Project Files", 48}},
                 {},
                 "33%",
                 pointer::kDefault},
        PassCase{"SaveAsFalseOnSecond",
                 {Saved("Form1", type::kVBForm, "Form1.frm"), Refusing("Form2", "Form2.frm"),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 false,
                 {"Form1", "Form2"},
                 {{SavingError("Form2.frm"), "Copy Project Files", 48}},
                 {},
                 "33%",
                 pointer::kDefault},
        PassCase{"UnknownType",
                 {Saved("Odd", 12, "Odd.xyz"), Saved("Form1", type::kVBForm, "Form1.frm")},
                 false,
                 {},
                 {{"Odd Has Type 12", "Copy Project Error", 48},
                  {SavingError("Odd.xyz"), "Copy Project Files", 48}},
                 {},
                 "",
                 pointer::kDefault},
        PassCase{"NoComponents",
                 {},
                 false,
                 {},
                 {{"There are no components in: \r\nC:\\Proj\\App.vbp", "Copy Project Files", 48}},
                 {},
                 "",
                 pointer::kDefault},
        PassCase{"DiskFull",
                 {Saved("Form1", type::kVBForm, "Form1.frm"), Throwing("Form2", "Form2.frm", 61)},
                 false,
                 {"Form1", "Form2"},
                 {{CopyingError("Form2.frm", 61), "Copy Project Files Error", 48}},
                 {},
                 "50%",
                 pointer::kHourglass},
        PassCase{"LowestFileError",
                 {Throwing("Form1", "Form1.frm", 52)},
                 false,
                 {"Form1"},
                 {{CopyingError("Form1.frm", 52), "Copy Project Files Error", 48}},
                 {},
                 "",
                 pointer::kHourglass},
        PassCase{"HighestFileError",
                 {Throwing("Form1", "Form1.frm", 76)},
                 false,
                 {"Form1"},
                 {{CopyingError("Form1.frm", 76), "Copy Project Files Error", 48}},
                 {},
                 "",
                 pointer::kHourglass},
        PassCase{"BelowFileErrors",
                 {Throwing("Form1", "Form1.frm", 51)},
                 false,
                 {"Form1"},
                 {},
                 {"CopyProjectFiles 51"},
                 "",
                 pointer::kHourglass},
        PassCase{"SameFileNameFromTwoFolders",
                 {Saved("Util", type::kStdModule, "Util.bas"),
                  Saved("Form1", type::kVBForm, "Form1.frm"),
                  Saved("Util2", type::kStdModule, "Shared\\UTIL.BAS"),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 false,
                 {"Util", "Form1"},
                 {{SavingError("UTIL.BAS"), "Copy Project Files", 48}},
                 {},
                 "50%",
                 pointer::kDefault},
        PassCase{"AboveFileErrors",
                 {Throwing("Form1", "Form1.frm", 91)},
                 false,
                 {"Form1"},
                 {},
                 {"CopyProjectFiles 91"},
                 "",
                 pointer::kHourglass}),
    [](const testing::TestParamInfo<PassCase>& param) { return param.param.name; });

TEST_F(CopyRoad, PassShowsEachStepOfThreeComponents) {
  ide.OpenProject(R"(C:\Proj\App.vbp)", {Saved("Form1", type::kVBForm, "Form1.frm"),
                                         Saved("Form2", type::kVBForm, "Form2.frm"),
                                         Saved("Module1", type::kStdModule, "Module1.bas")});
  std::vector<std::vector<std::string>> seenBeforeEachSave;
  ide.BeforeEachSave([&] { seenBeforeEachSave.push_back(DrawnTexts()); });
  const int32_t doEventsBefore = platform.DoEventsCount();

  ASSERT_TRUE(CopyProjectFiles(*ide.ActiveVBProject(), kCopy, Box()));

  EXPECT_EQ(seenBeforeEachSave, (std::vector<std::vector<std::string>>{{}, {"33%"}, {"67%"}}));
  EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"100%"});
  EXPECT_EQ(platform.DoEventsCount() - doEventsBefore, 3);
  EXPECT_EQ(Box().ScaleWidth(), 3);
  EXPECT_EQ(ide.Calls(), (std::vector<std::string>{R"(SaveAs Form1 C:\Copy\Form1.frm)",
                                                   R"(SaveAs Form2 C:\Copy\Form2.frm)",
                                                   R"(SaveAs Module1 C:\Copy\Module1.bas)"}));
  EXPECT_EQ(platform.MousePointerHistory(),
            (std::vector<int32_t>{pointer::kHourglass, pointer::kDefault}));
}

TEST_F(CopyRoad, PassTakesTheFailingFileNameForTheCopyingErrorWhenTheTypeCannotBeRead) {
  ide.OpenProject(R"(C:\Proj\App.vbp)", {Saved("Form1", type::kVBForm, "Form1.frm"),
                                         Saved("Odd", type::kVBForm, "Odd.frm")});
  ide.FailTypeOf("Odd", VbError(vberr::kPathNotFound));

  EXPECT_FALSE(CopyProjectFiles(*ide.ActiveVBProject(), kCopy, Box()));
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].text, CopyingError("Odd.frm", 76));
}

TEST_F(CopyRoad, PassLeavesAComponentAlreadyInTheCopyDirectoryAsItIs) {
  // The copy directory is the module's own folder: its file already is its copy.
  temp.Write("Shared/Util.bas", "Attribute VB_Name = \"Util\"\r\n");
  temp.Write("Shared/Notes.txt", "notes");
  Component form1 = Saved("Form1", type::kVBForm, "Form1.frm");
  Component util;
  util.name = "Util";
  util.type = type::kStdModule;
  util.fileName = temp.VbPath("Shared\\Util.bas");
  Component notes;
  notes.name = "Notes";
  notes.type = type::kRelatedDocument;
  notes.fileName = temp.VbPath("Shared\\Notes.txt");
  ide.OpenProject(R"(C:\Proj\App.vbp)", {form1, util, notes});
  const std::string copy = temp.VbPath("Shared\\");

  EXPECT_TRUE(CopyProjectFiles(*ide.ActiveVBProject(), copy, Box()));

  EXPECT_EQ(ide.Calls(), std::vector<std::string>{"SaveAs Form1 " + copy + "\\Form1.frm"});
  EXPECT_EQ(ide.ComponentNames(), (std::vector<std::string>{"Form1", "Util", "Notes"}));
  EXPECT_EQ(temp.Read("Shared/Notes.txt"), "notes");
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"100%"});
}

}  // namespace
}  // namespace zarvelin::copy
