#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyProjectFiles.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

constexpr char kCopy[] = R"(C:\Copy)";

// A component saved in the project directory; an empty file name: never saved.
Component Saved(std::string name, int32_t componentType, const std::string& file) {
  return Scripted(std::move(name), componentType, file.empty() ? "" : R"(C:\Proj\)" + file);
}
Component Refusing(std::string name, const std::string& file) {
  Component c = Saved(std::move(name), type::kVBForm, file);
  c.saveResult = false;
  return c;
}

std::string CopyingError(const std::string& file, int32_t number) {
  return "Error Copying File: \r\n\r\n" + std::string(kCopy) + "\\" + file +
         "\r\n\r\nError: " + std::to_string(number) + " " + StandardMessage(number) +
         "\r\nMake sure the disk is not full or write protected\r\nand that the file is not "
         "currently in use or read-only.";
}
Message Halted(const std::string& file) {
  return {"Error Saving VB Component File: \r\n" + std::string(kCopy) + "\\" + file +
              "\r\n\r\nThe copy operation is halted!",
          "Copy Project Files", 48};
}

struct PassCase {
  std::string name;
  std::vector<Component> components;
  std::vector<std::string> saves;  // components whose SaveAs was called
  std::vector<Message> messages;
  std::string bar;  // the text the bar shows at the end; "" when never drawn
};

class CopyProjectFilesTest : public CopyRoad, public testing::WithParamInterface<PassCase> {};

TEST_P(CopyProjectFilesTest, SavesEachComponentUntilTheFirstRefusal) {
  const PassCase& c = GetParam();
  ide.OpenProject(R"(C:\Proj\App.vbp)", c.components);

  EXPECT_EQ(CopyProjectFiles(*ide.ActiveVBProject(), kCopy, Box()), c.messages.empty());

  std::vector<std::string> saves;
  for (const std::string& call : ide.Calls()) {
    ASSERT_EQ(call.rfind("SaveAs ", 0), 0u) << call;
    EXPECT_NE(call.find(std::string(" ") + kCopy + "\\"), std::string::npos) << call;
    saves.push_back(call.substr(7, call.find(' ', 7) - 7));
  }
  EXPECT_EQ(saves, c.saves);
  EXPECT_EQ(platform.Messages(), c.messages);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(DrawnTexts(),
            c.bar.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.bar});
  EXPECT_EQ(platform.MousePointer(), pointer::kDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CopyProjectFilesTest,
    testing::Values(
        PassCase{"EveryIdeSavedKind",
                 {Saved("M", type::kStdModule, "M.bas"), Saved("C", type::kClassModule, "C.cls"),
                  Saved("F3", type::kMSForm, "F3.frm"), Saved("F", type::kVBForm, "F.frm"),
                  Saved("D", type::kVBMDIForm, "D.frm"), Saved("P", type::kPropPage, "P.pag"),
                  Saved("U", type::kUserControl, "U.ctl"), Saved("O", type::kDocObject, "O.dob"),
                  Saved("X", type::kActiveXDesigner, "X.dsr")},
                 {"M", "C", "F3", "F", "D", "P", "U", "O", "X"},
                 {},
                 "100%"},
        PassCase{"Unsaved",
                 {Saved("Form1", type::kVBForm, "Form1.frm"), Saved("Form2", type::kVBForm, ""),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 {"Form1"},
                 {{"You Have Not Saved Form2\r\nYou must save all components before copying.",
                   "Copy Project Files", 48}},
                 "33%"},
        PassCase{"SaveAsFalseOnSecond",
                 {Saved("Form1", type::kVBForm, "Form1.frm"), Refusing("Form2", "Form2.frm"),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 {"Form1", "Form2"},
                 {Halted("Form2.frm")},
                 "33%"},
        PassCase{"UnknownType",
                 {Saved("Odd", 12, "Odd.xyz"), Saved("Form1", type::kVBForm, "Form1.frm")},
                 {},
                 {{"Odd Has Type 12", "Copy Project Error", 48}, Halted("Odd.xyz")},
                 ""},
        PassCase{"NoComponents",
                 {},
                 {},
                 {{"There are no components in: \r\nC:\\Proj\\App.vbp", "Copy Project Files", 48}},
                 ""},
        PassCase{"SameFileNameFromTwoFolders",
                 {Saved("Util", type::kStdModule, "Util.bas"),
                  Saved("Form1", type::kVBForm, "Form1.frm"),
                  Saved("Util2", type::kStdModule, "Shared\\UTIL.BAS"),
                  Saved("Module1", type::kStdModule, "Module1.bas")},
                 {"Util", "Form1"},
                 {Halted("UTIL.BAS")},
                 "50%"}),
    [](const testing::TestParamInfo<PassCase>& param) { return param.param.name; });

// A failing save-as gets the copying box for the file and device errors (52 to 76) and goes to
// the report otherwise; either way the pass stops with the hourglass still showing.
TEST_F(CopyRoad, PassShowsTheCopyingBoxOnlyForFileAndDeviceErrors) {
  for (const int32_t number : {51, 52, 61, 76, 77, 91}) {
    SCOPED_TRACE(number);
    const bool boxed = number >= 52 && number <= 76;
    const size_t shown = platform.Messages().size();
    const size_t reported = failures.size();
    Component form2 = Saved("Form2", type::kVBForm, "Form2.frm");
    form2.saveError = VbError(number);
    fakes::FakeIde vbe;
    vbe.OpenProject(R"(C:\Proj\App.vbp)", {Saved("Form1", type::kVBForm, "Form1.frm"), form2});

    EXPECT_FALSE(CopyProjectFiles(*vbe.ActiveVBProject(), kCopy, Box()));

    EXPECT_EQ(vbe.Calls().size(), 2u);
    ASSERT_EQ(platform.Messages().size(), shown + (boxed ? 1 : 0));
    ASSERT_EQ(failures.size(), reported + (boxed ? 0 : 1));
    if (boxed) {
      EXPECT_EQ(platform.Messages().back(),
                (Message{CopyingError("Form2.frm", number), "Copy Project Files Error", 48}));
    } else {
      EXPECT_EQ(failures.back().rfind("CopyProjectFiles ", 0), 0u) << failures.back();
      EXPECT_EQ(failures.back().substr(failures.back().rfind(' ') + 1), std::to_string(number));
    }
    EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"50%"});
    EXPECT_EQ(platform.MousePointer(), pointer::kHourglass);
  }
}

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
  ide.OpenProject(R"(C:\Proj\App.vbp)",
                  {Saved("Form1", type::kVBForm, "Form1.frm"),
                   Scripted("Util", type::kStdModule, temp.VbPath("Shared\\Util.bas")),
                   Scripted("Notes", type::kRelatedDocument, temp.VbPath("Shared\\Notes.txt"))});
  const std::string copy = temp.VbPath("Shared\\");

  EXPECT_TRUE(CopyProjectFiles(*ide.ActiveVBProject(), copy, Box()));

  EXPECT_EQ(ide.Calls(), std::vector<std::string>{"SaveAs Form1 " + copy + "\\Form1.frm"});
  EXPECT_EQ(ide.ComponentNames(), (std::vector<std::string>{"Form1", "Util", "Notes"}));
  EXPECT_EQ(temp.Read("Shared/Notes.txt"), "notes");
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"100%"});
}

TEST_F(CopyRoad, PassCopiesRelatedFilesOverOlderOnesAndPutsTheCopyInTheSourcesPlace) {
  const struct {
    std::string name;
    int32_t componentType;
    std::string file;  // below the project directory
    std::string flag;  // the related-document flag AddFile is given
  } cases[] = {{"App", type::kResFile, "App.res", "0"},
               {"Notes", type::kRelatedDocument, R"(docs\Notes.txt)", "-1"}};
  // An older file of one name is overwritten.
  temp.Write("Copy/App.res", "an older file of that name");
  const std::string bytes("R\0\x01\xff\r\nbinary", 12);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    temp.Write("Proj/" + c.file, bytes);
    const std::string fileName = c.file.substr(c.file.rfind('\\') + 1);
    fakes::FakeIde vbe;
    vbe.OpenProject(
        temp.VbPath("Proj\\App.vbp"),
        {InProj("Form1", type::kVBForm, "Form1.frm"), InProj(c.name, c.componentType, c.file),
         InProj("Module1", type::kStdModule, "Module1.bas")});

    ASSERT_TRUE(CopyProjectFiles(*vbe.ActiveVBProject(), temp.VbPath("Copy"), Box()));

    EXPECT_EQ(temp.Read("Copy/" + fileName), bytes);
    EXPECT_EQ(temp.Read("Proj/" + c.file), bytes);
    EXPECT_EQ(vbe.Calls(), (std::vector<std::string>{
                               "SaveAs Form1 " + temp.VbPath("Copy\\Form1.frm"), "Remove " + c.name,
                               "AddFile " + temp.VbPath("Copy\\" + fileName) + " " + c.flag,
                               "SaveAs Module1 " + temp.VbPath("Copy\\Module1.bas")}));
    EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"100%"});
  }
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(CopyRoad, PassStopsAtAMissingRelatedDocumentWithItsOwnMessageOnly) {
  temp.MakeDirectory("Copy");
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"),
                  {InProj("Gone", type::kRelatedDocument, "Gone.txt"),
                   InProj("Module1", type::kStdModule, "Module1.bas")});

  EXPECT_FALSE(CopyProjectFiles(*ide.ActiveVBProject(), temp.VbPath("Copy"), Box()));

  EXPECT_EQ(Titles(), std::vector<std::string>{"SaveRelatedFile Error"});
  EXPECT_TRUE(ide.Calls().empty());
  EXPECT_EQ(ide.ComponentNames(), (std::vector<std::string>{"Gone", "Module1"}));
  EXPECT_FALSE(temp.Exists("Copy/Gone.txt"));
}

}  // namespace
}  // namespace zarvelin::copy
