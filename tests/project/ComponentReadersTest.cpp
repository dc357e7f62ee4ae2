#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ProjectTestBed.h"
#include "project/ProjectPaths.h"
#include "project/cVBP.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

const std::string kNameLine = "Attribute VB_Name = \"";

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
  Write("Forms/Main.frm", c.fileText);
  Open(c.key + "=Forms\\Main.frm\r\n");

  ASSERT_EQ(project.Components()->Count(), 1);
  const auto& record = project.Components()->Item(1);
  EXPECT_EQ(record->ComponentType(), c.type);
  EXPECT_EQ(record->ComponentName(), c.name);
  EXPECT_EQ(record->ComponentPath(), Vb("Forms"));
  EXPECT_EQ(record->ComponentFile(), "Main.frm");
  EXPECT_EQ(record->BinaryFile(), !c.companion.empty());
  EXPECT_EQ(record->ComponentBinaryFile(), c.companion);
  EXPECT_EQ(Reported(), Reports{});
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

struct FormFileCase {
  std::string label;
  std::vector<std::pair<std::string, std::string>> files;
  std::string lines;
  std::vector<std::string> names;  // of the records kept, in order
  Reports reports = {};
};

class FormFileTest : public ProjectTestBed, public ::testing::WithParamInterface<FormFileCase> {};

TEST_P(FormFileTest, ProblemsCostOnlyTheNameUnlessTheyEndTheRead) {
  const FormFileCase& c = GetParam();
  for (const auto& [file, text] : c.files) Write(file, text);
  Open(c.lines);
  std::vector<std::string> names;
  for (const auto& record : *project.Components()) names.push_back(record->ComponentName());
  EXPECT_EQ(names, c.names);
  EXPECT_EQ(Reported(), c.reports);
}

const std::string kUtil = "Module=Util; Util.bas\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, FormFileTest,
    ::testing::Values(
        FormFileCase{"MissingForm",
                     {},
                     "Form=Missing.frm\r\n" + kUtil,
                     {"", "Util"},
                     {"cVBP.GetComponentName 53"}},
        FormFileCase{"NameWithoutClosingQuote",
                     {{"Main.frm", "Icon = \"Main.frx\":0000\r\n" + kNameLine + "frmMain\r\n"}},
                     "Form=Main.frm\r\n" + kUtil,
                     {"", "Util"},
                     {"cVBP.GetComponentName 5"}},
        FormFileCase{"CompanionOfANameShorterThanItsExtensionEndsTheRead",
                     {{"ab", "Icon = \"ab.frx\":0000\r\n" + kNameLine + "frmAb\"\r\n"}},
                     "Module=A; A.bas\r\nForm=ab\r\nModule=B; B.bas\r\n",
                     {"A"},
                     {"cVBP.ReadVBP 5"}},
        FormFileCase{
            "FormsCarryNoKeySoOneNameTwiceIsKept",
            {{"A.frm", kNameLine + "frmSame\"\r\n"}, {"B.frm", kNameLine + "FRMSAME\"\r\n"}},
            "Form=A.frm\r\nForm=B.frm\r\nForm=A.frm\r\n",
            {"frmSame", "FRMSAME", "frmSame"}}),
    [](const auto& test) { return test.param.label; });

TEST_F(ProjectTestBed, NameBeyondTheLastHeldPositionIsReportedUnderGetComponentName) {
  Write("Main.frm", kNameLine + std::string(32767, 'n') + "\"\r\n");
  bool refersToCompanion = false;
  EXPECT_EQ(ProjectPaths::GetComponentName(Vb("Main.frm"), "frx", refersToCompanion), "");
  EXPECT_EQ(Reported(), Reports{"cVBP.GetComponentName 6"});
}

// C:\App has two levels: a third step up runs past the drive's colon and leaves its letter, so
// the form is looked for under the relative name C\A.frm.
TEST_F(ProjectTestBed, MoreStepsUpThanTheDirectoryHasLevelsRunIntoTheDrive) {
  Write("drive_c/App/App.vbp", "Form=..\\..\\A.frm\r\nForm=..\\..\\..\\B.frm\r\n");
  Write("C/A.frm", kNameLine + "frmRelative\"\r\n");
  project.VBPFile("C:\\App\\App.vbp");
  ASSERT_EQ(project.Components()->Count(), 2);
  EXPECT_EQ(project.Components()->Item(1)->ComponentPath(), "C");
  EXPECT_EQ(project.Components()->Item(1)->ComponentName(), "frmRelative");
  EXPECT_EQ(project.Components()->Item(2)->ComponentPath(), "");
  EXPECT_EQ(project.Components()->Item(2)->ComponentName(), "");
  EXPECT_EQ(Reported(), Reports{"cVBP.GetComponentName 53"});
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
  Open(c.line + "\r\n", "Sub\\App.vbp");

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
  EXPECT_EQ(Reported(), Reports{});
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
  Reports reports = {};
  int32_t count;  // records kept
};

class RefusedLineTest : public ProjectTestBed, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLineTest, IsReportedUnderItsReaderAndTheReadGoesOn) {
  const RefusedCase& c = GetParam();
  Open(c.lines + "Name=\"After\"\r\n");
  EXPECT_EQ(project.Components()->Count(), c.count);
  EXPECT_EQ(project.Name(), "\"After\"");
  EXPECT_EQ(Reported(), c.reports);
}

const std::string kFar(32767, 'm');

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedLineTest,
    ::testing::Values(
        RefusedCase{"ModuleWithoutSemicolon", "Module=Util.bas\r\n", {}, 0},
        RefusedCase{"ModuleEndingAtSemicolon", "Module=Util;\r\n", {"cVBP.GetModuleInfo 5"}, 0},
        RefusedCase{"ClassNamedLikeAModule",
                    "Module=Util; Util.bas\r\nClass=UTIL; Util.cls\r\n",
                    {"cVBP.GetModuleInfo 457"},
                    1},
        RefusedCase{"SameRelatedDocElsewhere",
                    "RelatedDoc=A\\Notes.txt\r\nRelatedDoc=\"B\\NOTES.TXT\"\r\n",
                    {"cVBP.GetRelelatedDocInfo 457"},
                    1},
        RefusedCase{"LoneQuote", "RelatedDoc=\"\r\n", {"cVBP.GetRelelatedDocInfo 5"}, 0},
        RefusedCase{"SemicolonBeyondTheLastHeldPosition",
                    "Module=" + kFar + "; A.bas\r\n",
                    {"cVBP.GetModuleInfo 6"},
                    0}),
    [](const auto& test) { return test.param.label; });

}  // namespace
}  // namespace zarvelin
