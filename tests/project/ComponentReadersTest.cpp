#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestBed.h"
#include "project/ProjectPaths.h"
#include "project/cVBP.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

constexpr char kNameLine[] = "Attribute VB_Name = \"";

struct FormCase {
  std::string label;
  std::string key;
  std::string fileText;
  int32_t type;
  std::string name;
  std::string companion;  // empty: none
};

class FormReaderTest : public ProjectTestBed, public ::testing::WithParamInterface<FormCase> {};

TEST_P(FormReaderTest, FileNamesTheComponentAndTellsOfItsCompanion) {
  const FormCase& c = GetParam();
  Write("App.vbp", c.key + "=Forms\\Main.frm\r\n");
  Write("Forms/Main.frm", c.fileText);
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 1);
  const auto& record = project.Components()->Item(1);
  EXPECT_EQ(record->ComponentType(), c.type);
  EXPECT_EQ(record->ComponentName(), c.name);
  EXPECT_EQ(record->ComponentPath(), Vb("Forms"));
  EXPECT_EQ(record->ComponentFile(), "Main.frm");
  EXPECT_EQ(record->BinaryFile(), !c.companion.empty());
  EXPECT_EQ(record->ComponentBinaryFile(), c.companion);
  EXPECT_TRUE(Reports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormReaderTest,
    ::testing::Values(
        FormCase{
            "FormWithCompanion", "Form",
            "VERSION 5.00\r\n   Icon = \"Main.frx\":0000\r\nAttribute VB_Name = \"frmMain\"\r\n", 5,
            "frmMain", "Main.frx"},
        FormCase{
            "FormWithoutCompanion", "Form",
            "VERSION 5.00\r\nAttribute VB_Name = \"frmMain\"\r\nAttribute VB_Creatable = 0\r\n", 5,
            "frmMain", ""},
        FormCase{"CompanionAfterTheNameLineIsNotSeen", "Form",
                 "Attribute VB_Name = \"frmMain\"\r\n   Icon = \"Main.frx\":0000\r\n", 5, "frmMain",
                 ""},
        FormCase{"AnyMentionInAnyCase", "Form",
                 "Begin VB.Label lblFRXInfo\r\nAttribute VB_Name = \"frmMain\"\r\n", 5, "frmMain",
                 "Main.frx"},
        FormCase{"MentionOnTheNameLineCounts", "Form", "Attribute VB_Name = \"frxForm\"\r\n", 5,
                 "frxForm", "Main.frx"},
        FormCase{"UserControl", "UserControl",
                 "   Picture = \"Main.ctx\":0000\r\nAttribute VB_Name = \"ucGrid\"\r\n", 8,
                 "ucGrid", "Main.ctx"},
        FormCase{"UserControlIgnoresFormCompanions", "UserControl",
                 "   Picture = \"Main.frx\":0000\r\nAttribute VB_Name = \"ucGrid\"\r\n", 8,
                 "ucGrid", ""},
        FormCase{"PropertyPage", "PropertyPage",
                 "   Picture = $\"Main.pgx\":0000\r\nAttribute VB_Name = \"ppGeneral\"\r\n", 7,
                 "ppGeneral", "Main.pgx"},
        FormCase{"NoNameLine", "Form", "VERSION 5.00\r\nBegin VB.Form frmMain\r\n", 5, "", ""},
        FormCase{"NameLineIsCaseSensitive", "Form", "attribute VB_Name = \"frmMain\"\r\n", 5, "",
                 ""},
        FormCase{"NameStopsAtTheNextQuote", "Form", "Attribute VB_Name = \"frm\"Main\"\r\n", 5,
                 "frm", ""},
        FormCase{"LoneLineFeedsAndNoFinalEnd", "Form",
                 "VERSION 5.00\nAttribute VB_Name = \"frmMain\"", 5, "frmMain", ""}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, MissingFormFileIsReportedAndTheRecordKeptWithoutAName) {
  Write("App.vbp", "Form=Missing.frm\r\nModule=Util; Util.bas\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 2);
  EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "");
  EXPECT_EQ(project.Components()->Item(1)->ComponentFile(), "Missing.frm");
  EXPECT_FALSE(project.Components()->Item(1)->BinaryFile());
  EXPECT_EQ(project.Components()->Item(2)->ComponentName(), "Util");
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "GetComponentName");
  EXPECT_EQ(Reports()[0].number, vberr::kFileNotFound);
}

TEST_F(ProjectTestBed, NameLineWithoutClosingQuoteIsReportedWithAnEmptyName) {
  Write("App.vbp", "Form=Main.frm\r\nModule=Util; Util.bas\r\n");
  Write("Main.frm", "Icon = \"Main.frx\":0000\r\nAttribute VB_Name = \"frmMain\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 2);
  EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "");
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "GetComponentName");
  EXPECT_EQ(Reports()[0].number, vberr::kInvalidProcedureCall);
}

TEST_F(ProjectTestBed, NameBeyondTheLastHeldPositionIsReportedUnderGetComponentName) {
  Write("Main.frm", std::string(kNameLine) + std::string(32767, 'n') + "\"\r\n");
  bool refersToCompanion = false;
  EXPECT_EQ(ProjectPaths::GetComponentName(Vb("Main.frm"), "frx", refersToCompanion), "");
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "GetComponentName");
  EXPECT_EQ(Reports()[0].number, vberr::kOverflow);
}

TEST_F(ProjectTestBed, CompanionForAFileNameShorterThanItsExtensionEndsTheRead) {
  Write("App.vbp", "Module=A; A.bas\r\nForm=ab\r\nModule=B; B.bas\r\n");
  Write("ab", "Icon = \"ab.frx\":0000\r\nAttribute VB_Name = \"frmAb\"\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 1);
  EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "A");
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "ReadVBP");
  EXPECT_EQ(Reports()[0].number, vberr::kInvalidProcedureCall);
}

// C:\App has two levels: a third step up runs past the drive's colon and leaves its letter, so
// the form is looked for under the relative name C\A.frm.
TEST_F(ProjectTestBed, MoreStepsUpThanTheDirectoryHasLevelsRunIntoTheDrive) {
  Write("drive_c/App/App.vbp", "Form=..\\..\\A.frm\r\nForm=..\\..\\..\\B.frm\r\n");
  Write("C/A.frm", std::string(kNameLine) + "frmRelative\"\r\n");
  cVBP project;
  project.VBPFile("C:\\App\\App.vbp");

  ASSERT_EQ(project.Components()->Count(), 2);
  EXPECT_EQ(project.Components()->Item(1)->ComponentPath(), "C");
  EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "frmRelative");
  EXPECT_EQ(project.Components()->Item(2)->ComponentPath(), "");
  EXPECT_EQ(project.Components()->Item(2)->ComponentName(), "");
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(Reports()[0].procedure, "GetComponentName");
}

TEST_F(ProjectTestBed, FormsCarryNoKeySoOneNameTwiceIsKept) {
  Write("App.vbp", "Form=A.frm\r\nForm=B.frm\r\nForm=A.frm\r\n");
  Write("A.frm", std::string(kNameLine) + "frmSame\"\r\n");
  Write("B.frm", std::string(kNameLine) + "FRMSAME\"\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 3);
  EXPECT_EQ(project.Components()->Item(3)->ComponentName(), "frmSame");
  EXPECT_TRUE(Reports().empty());
  try {
    project.Components()->Item("frmSame");
    ADD_FAILURE() << "a form was reached by its name";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kInvalidProcedureCall);
  }
}

struct KeyedCase {
  std::string label;
  std::string line;
  int32_t type;
  std::string name;
  std::string file;
  std::string directory;  // relative to the project's directory
};

class KeyedReaderTest : public ProjectTestBed, public ::testing::WithParamInterface<KeyedCase> {};

TEST_P(KeyedReaderTest, LineGivesNameFileAndDirectoryAndTheNameIsTheKey) {
  const KeyedCase& c = GetParam();
  Write("Sub/App.vbp", c.line + "\r\n");
  cVBP project;
  project.VBPFile(Vb("Sub\\App.vbp"));

  ASSERT_EQ(project.Components()->Count(), 1);
  const auto& record = project.Components()->Item(1);
  EXPECT_EQ(record->ComponentType(), c.type);
  EXPECT_EQ(record->ComponentName(), c.name);
  EXPECT_EQ(record->ComponentFile(), c.file);
  EXPECT_EQ(record->ComponentPath(), Vb(c.directory));
  EXPECT_FALSE(record->BinaryFile());
  EXPECT_EQ(record->ComponentBinaryFile(), "");
  if (!c.name.empty()) {
    EXPECT_EQ(project.Components()->Item(c.name), record);
  }
  EXPECT_TRUE(Reports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KeyedReaderTest,
    ::testing::Values(
        KeyedCase{"Module", "Module=modUtil; Util.bas", 1, "modUtil", "Util.bas", "Sub"},
        KeyedCase{"ClassBelow", "Class=cThing; Classes\\Thing.cls", 2, "cThing", "Thing.cls",
                  "Sub\\Classes"},
        KeyedCase{"ModuleAbove", "Module=modShared; ..\\Shared\\Shared.bas", 1, "modShared",
                  "Shared.bas", "Shared"},
        KeyedCase{"NoBlankAfterSemicolon", "Class=cThing;Thing.cls", 2, "cThing", "hing.cls",
                  "Sub"},
        KeyedCase{"NameKeepsItsBlanks", "Module= mod ; m.bas", 1, " mod ", "m.bas", "Sub"},
        KeyedCase{"RelatedDocQuoted", "RelatedDoc=\"..\\Docs\\Read Me.txt\"", 10, "Read Me.txt",
                  "Read Me.txt", "Docs"},
        KeyedCase{"RelatedDocBare", "RelatedDoc=Notes.txt", 10, "Notes.txt", "Notes.txt", "Sub"},
        KeyedCase{"RelatedDocOpeningQuoteOnly", "RelatedDoc=\"Notes.txt", 10, "Notes.tx",
                  "Notes.tx", "Sub"},
        KeyedCase{"ResourceFile", "ResFile32=\"App.RES\"", 4, "App.RES", "App.RES", "Sub"},
        KeyedCase{"RelatedDocEmptyQuotes", "RelatedDoc=\"\"", 10, "", "", "Sub"}),
    [](const auto& test) { return test.param.label; });

struct RefusedCase {
  std::string label;
  std::string lines;
  std::string procedure;  // empty: nothing reported
  int32_t number;
  int32_t count;  // records kept
};

class RefusedLineTest : public ProjectTestBed, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLineTest, IsReportedUnderItsReaderAndTheReadGoesOn) {
  const RefusedCase& c = GetParam();
  Write("App.vbp", c.lines + "Name=\"After\"\r\n");
  cVBP project;
  project.VBPFile(Vb("App.vbp"));

  EXPECT_EQ(project.Components()->Count(), c.count);
  EXPECT_EQ(project.Name(), "\"After\"");
  if (c.procedure.empty()) {
    EXPECT_TRUE(Reports().empty());
  } else {
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].procedure, c.procedure);
    EXPECT_EQ(Reports()[0].number, c.number);
  }
}

const std::string kFar(32767, 'm');

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedLineTest,
    ::testing::Values(
        RefusedCase{"ModuleWithoutSemicolon", "Module=Util.bas\r\n", "", 0, 0},
        RefusedCase{"ModuleEndingAtSemicolon", "Module=Util;\r\n", "GetModuleInfo", 5, 0},
        RefusedCase{"ClassNamedLikeAModule", "Module=Util; Util.bas\r\nClass=UTIL; Util.cls\r\n",
                    "GetModuleInfo", 457, 1},
        RefusedCase{"SameRelatedDocElsewhere",
                    "RelatedDoc=A\\Notes.txt\r\nRelatedDoc=\"B\\NOTES.TXT\"\r\n",
                    "GetRelelatedDocInfo", 457, 1},
        RefusedCase{"LoneQuote", "RelatedDoc=\"\r\n", "GetRelelatedDocInfo", 5, 0},
        RefusedCase{"SemicolonBeyondTheLastHeldPosition", "Module=" + kFar + "; A.bas\r\n",
                    "GetModuleInfo", 6, 0}),
    [](const auto& test) { return test.param.label; });

}  // namespace
}  // namespace zarvelin
