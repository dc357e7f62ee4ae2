#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "filebacked/FileBackedIdeProjectFile.h"
#include "ide/Vbide.h"

namespace zarvelin::filebacked {
namespace {

namespace type = ide::component;

struct LineCase {
  std::string line;
  std::string key;
  int32_t type;
  std::string name;
  std::string path;
  bool quoted;
};

class ComponentLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ComponentLineTest, SplitsEveryKindVbWrites) {
  const LineCase& c = GetParam();
  const std::optional<ComponentLine> parsed = ParseComponentLine(c.line);
  ASSERT_TRUE(parsed.has_value()) << c.line;
  EXPECT_EQ(parsed->kind.key, c.key);
  EXPECT_EQ(parsed->kind.type, c.type);
  EXPECT_EQ(parsed->name, c.name);
  EXPECT_EQ(parsed->path, c.path);
  EXPECT_EQ(parsed->quoted, c.quoted);
  // Written back, a line VB wrote comes out as it went in.
  EXPECT_EQ(FormatComponentLine(*parsed), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFile, ComponentLineTest,
    ::testing::Values(
        LineCase{"Form=frmMain.frm", "Form", type::kVBForm, "", "frmMain.frm", false},
        LineCase{"Module=modMain; modMain.bas", "Module", type::kStdModule, "modMain",
                 "modMain.bas", false},
        LineCase{"Class=cEntry; classes\\cEntry.cls", "Class", type::kClassModule, "cEntry",
                 "classes\\cEntry.cls", false},
        LineCase{"UserControl=..\\Ctl\\ctlAmount.ctl", "UserControl", type::kUserControl, "",
                 "..\\Ctl\\ctlAmount.ctl", false},
        LineCase{"PropertyPage=ppgCurrency.pag", "PropertyPage", type::kPropPage, "",
                 "ppgCurrency.pag", false},
        LineCase{"UserDocument=docLedger.dob", "UserDocument", type::kDocObject, "",
                 "docLedger.dob", false},
        LineCase{"Designer=dsrMonthly.Dsr", "Designer", type::kActiveXDesigner, "",
                 "dsrMonthly.Dsr", false},
        LineCase{"RelatedDoc=docs\\Ledger Notes.txt", "RelatedDoc", type::kRelatedDocument, "",
                 "docs\\Ledger Notes.txt", false},
        LineCase{"RelatedDoc=\"\\\\server\\share\\Design [v2].doc\"", "RelatedDoc",
                 type::kRelatedDocument, "", "\\\\server\\share\\Design [v2].doc", true},
        LineCase{"ResFile32=\"Ledger.res\"", "ResFile32", type::kResFile, "", "Ledger.res", true},
        LineCase{"ResFile32=Ledger.RES", "ResFile32", type::kResFile, "", "Ledger.RES", false}));

class OtherLineTest : public ::testing::TestWithParam<std::string> {};

TEST_P(OtherLineTest, IsNoComponent) {
  EXPECT_FALSE(ParseComponentLine(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFile, OtherLineTest,
    ::testing::Values("Type=Exe",
                      "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\..\\"
                      "Windows\\System32\\stdole2.tlb#OLE Automation",
                      "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
                      "Name=\"Ledger\"", "[MS Transaction Server]", "", "form=frmMain.frm",
                      "Form =frmMain.frm", "Module=NoSemicolon.bas", "IconForm=\"mdiLedger\""));

struct FileKindCase {
  std::string fileName;
  bool relatedDocument;
  std::optional<int32_t> type;
};

class KindOfFileTest : public ::testing::TestWithParam<FileKindCase> {};

TEST_P(KindOfFileTest, FollowsTheExtensionUnlessARelatedDocument) {
  const FileKindCase& c = GetParam();
  const std::optional<ComponentKind> kind = KindOfFile(c.fileName, c.relatedDocument);
  ASSERT_EQ(kind.has_value(), c.type.has_value()) << c.fileName;
  if (kind) {
    EXPECT_EQ(kind->type, *c.type) << c.fileName;
  }
}

INSTANTIATE_TEST_SUITE_P(AddedFiles, KindOfFileTest,
                         ::testing::Values(FileKindCase{"App.res", false, type::kResFile},
                                           FileKindCase{"APP.RES", false, type::kResFile},
                                           FileKindCase{"App.res", true, type::kRelatedDocument},
                                           FileKindCase{"Notes.txt", true, type::kRelatedDocument},
                                           FileKindCase{"Main.Frm", false, type::kVBForm},
                                           FileKindCase{"Util.bas", false, type::kStdModule},
                                           FileKindCase{"cEntry.cls", false, type::kClassModule},
                                           FileKindCase{"ctl.ctl", false, type::kUserControl},
                                           FileKindCase{"ppg.pag", false, type::kPropPage},
                                           FileKindCase{"doc.dob", false, type::kDocObject},
                                           FileKindCase{"dsr.DSR", false, type::kActiveXDesigner},
                                           FileKindCase{"Notes.txt", false, std::nullopt},
                                           FileKindCase{"NoExtension", false, std::nullopt}));

}  // namespace
}  // namespace zarvelin::filebacked
