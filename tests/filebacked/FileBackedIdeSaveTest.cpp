#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

#include "FileBackedIdeFixture.h"
#include "filebacked/FileBackedIde.h"
#include "filebacked/FileBackedIdePaths.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::filebacked {
namespace {

// The last part of a host-relative path.
std::string LastPart(const std::string& relative) {
  return relative.substr(relative.rfind('/') + 1);
}

class FileBackedIdeSaveTest : public FileBackedIdeTest {
 protected:
  void SetUp() override {
    WriteLedger(dir_);
    dir_.MakeDirectory("copy");
    vbe_ = OpenFileBackedIde(dir_.VbPath("src/App/App.vbp"), {});
    source_ = Snapshot("src");
  }

  std::shared_ptr<ide::VBComponent> Component(const std::string& name) {
    for (const auto& component : vbe_->ActiveVBProject()->Components().Enumerate()) {
      if (component->Name() == name) return component;
    }
    ADD_FAILURE() << "no component " << name;
    return nullptr;
  }

  std::unique_ptr<FileBackedVBE> vbe_;
  std::map<std::string, std::string> source_;
};

class FileBackedIdeSaveEachKindTest : public FileBackedIdeSaveTest,
                                      public ::testing::WithParamInterface<LedgerComponent> {};

// Saved under its own file name elsewhere, a component arrives whole: its file and every
// companion byte for byte, and the IDE now knows it there. The source stays as it was.
TEST_P(FileBackedIdeSaveEachKindTest, SavesTheComponentAndItsCompanionsBesideIt) {
  const LedgerComponent& expected = GetParam();
  const auto component = Component(expected.name);
  ASSERT_NE(component, nullptr);
  const std::string fileName = FileNameOf(component->FileNames(1));

  EXPECT_TRUE(component->SaveAs(dir_.VbPath("copy") + "\\" + fileName));

  EXPECT_EQ(component->FileNames(1), dir_.VbPath("copy") + "\\" + fileName);
  std::map<std::string, std::string> wanted{{fileName, source_.at(expected.file.substr(4))}};
  for (const std::string& companion : expected.companions) {
    wanted[LastPart(companion)] = source_.at(companion.substr(4));
  }
  EXPECT_EQ(Snapshot("copy"), wanted);
  EXPECT_EQ(Snapshot("src"), source_);
}

INSTANTIATE_TEST_SUITE_P(Ledger, FileBackedIdeSaveEachKindTest,
                         ::testing::ValuesIn(LedgerComponents()), [](const auto& each) {
                           std::string name = each.param.name;
                           std::erase_if(name, [](char c) { return !std::isalnum(c); });
                           return name;
                         });

struct RenameCase {
  std::string component;
  std::string sourceFile;  // below src
  std::string newFile;
  std::map<std::string, std::string> companions;  // new companion name -> source companion
};

class FileBackedIdeRenameTest : public FileBackedIdeSaveTest,
                                public ::testing::WithParamInterface<RenameCase> {};

// VB names a companion after its component's file: saved as New.frm, Main.frm's Main.frx
// becomes New.frx, and the component's references say so.
TEST_P(FileBackedIdeRenameTest, RenamesTheCompanionsWithTheFile) {
  const RenameCase& c = GetParam();
  const auto component = Component(c.component);
  ASSERT_NE(component, nullptr);

  EXPECT_TRUE(component->SaveAs(dir_.VbPath("copy\\" + c.newFile)));

  std::map<std::string, std::string> wanted;
  std::string text = source_.at(c.sourceFile);
  for (const auto& [newName, sourceName] : c.companions) {
    wanted[newName] = source_.at(sourceName);
    const std::string quoted = "\"" + LastPart(sourceName) + "\"";
    for (size_t at = text.find(quoted); at != std::string::npos; at = text.find(quoted, at)) {
      text.replace(at, quoted.size(), "\"" + newName + "\"");
    }
  }
  wanted[c.newFile] = text;
  EXPECT_NE(text, source_.at(c.sourceFile));
  EXPECT_EQ(Snapshot("copy"), wanted);
  EXPECT_EQ(component->FileNames(1), dir_.VbPath("copy\\" + c.newFile));
  EXPECT_EQ(Snapshot("src"), source_);
}

INSTANTIATE_TEST_SUITE_P(
    Ledger, FileBackedIdeRenameTest,
    ::testing::Values(
        RenameCase{
            "frmMain", "App/frmMain.frm", "frmOther.frm", {{"frmOther.frx", "App/frmMain.frx"}}},
        RenameCase{
            "ctlAmount", "App/ctlAmount.ctl", "ctlSum.ctl", {{"ctlSum.ctx", "App/ctlAmount.ctx"}}},
        RenameCase{
            "dsrMonthly",
            "App/dsrMonthly.dsr",
            "dsrYearly.dsr",
            {{"dsrYearly.dsx", "App/dsrMonthly.dsx"}, {"dsrYearly.dca", "App/dsrMonthly.dca"}}},
        RenameCase{"docLedger",
                   "App/docLedger.dob",
                   "docBook.dob",
                   {{"docBook.dox", "App/docLedger.dox"}}},
        RenameCase{"frmCase",
                   "App/Forms/frmCase.frm",
                   "frmCase2.frm",
                   {{"frmCase2.frx", "App/Forms/frmCase.frx"}}}));

// Saving a component onto its own file, however the path is spelt, must not destroy it.
TEST_F(FileBackedIdeSaveTest, SavingOntoItselfChangesNothing) {
  for (const LedgerComponent& each : LedgerComponents()) {
    const auto component = Component(each.name);
    const std::string file = component->FileNames(1);
    for (const std::string& spelling :
         {file, UpperAscii(file), DirectoryOf(file) + "\\.\\" + FileNameOf(file),
          DirectoryOf(file) + "\\..\\" + FileNameOf(DirectoryOf(file)) + "\\" + FileNameOf(file)}) {
      EXPECT_TRUE(component->SaveAs(spelling)) << spelling;
      EXPECT_EQ(component->FileNames(1), file);
    }
  }
  EXPECT_EQ(Snapshot("src"), source_);
}

TEST_F(FileBackedIdeSaveTest, ReplacesAFileAlreadyAtTheTarget) {
  dir_.Write("copy/frmMain.frm", "old form");
  dir_.Write("copy/frmMain.frx", "old companion");
  EXPECT_TRUE(Component("frmMain")->SaveAs(dir_.VbPath("copy\\frmMain.frm")));
  EXPECT_EQ(dir_.Read("copy/frmMain.frm"), source_.at("App/frmMain.frm"));
  EXPECT_EQ(dir_.Read("copy/frmMain.frx"), source_.at("App/frmMain.frx"));
}

TEST_F(FileBackedIdeSaveTest, CompanionsInAFolderBelowKeepTheirFolder) {
  dir_.Write("src/App/Pics/pic.frx", BinaryBytes("pics"));
  dir_.Write("src/App/frmPics.frm",
             Crlf({"VERSION 5.00", "Begin VB.Form frmPics ", "   Picture = \"Pics\\pic.frx\":0000",
                   "End", "Attribute VB_Name = \"frmPics\""}));
  const auto added =
      vbe_->ActiveVBProject()->Components().AddFile(dir_.VbPath("src/App/frmPics.frm"), false);
  EXPECT_TRUE(added->SaveAs(dir_.VbPath("copy\\frmPics.frm")));
  EXPECT_EQ(dir_.Read("copy/frmPics.frm"), dir_.Read("src/App/frmPics.frm"));
  EXPECT_EQ(dir_.Read("copy/Pics/pic.frx"), dir_.Read("src/App/Pics/pic.frx"));
}

// A companion named outside the component's folder would make the save write outside the place
// it was given; it comes beside the component instead, and the reference follows it.
TEST_F(FileBackedIdeSaveTest, CompanionsElsewhereComeBesideTheComponent) {
  dir_.Write("src/Shared/shared.frx", BinaryBytes("shared"));
  dir_.Write("src/App/frmOut.frm", Crlf({"VERSION 5.00", "Begin VB.Form frmOut ",
                                         "   Picture = \"..\\Shared\\shared.frx\":0000", "End",
                                         "Attribute VB_Name = \"frmOut\""}));
  const auto added =
      vbe_->ActiveVBProject()->Components().AddFile(dir_.VbPath("src/App/frmOut.frm"), false);
  dir_.MakeDirectory("copy/inner");
  EXPECT_TRUE(added->SaveAs(dir_.VbPath("copy\\inner\\frmOut.frm")));
  EXPECT_EQ(Snapshot("copy"),
            (std::map<std::string, std::string>{
                {"inner/frmOut.frm",
                 Crlf({"VERSION 5.00", "Begin VB.Form frmOut ", "   Picture = \"shared.frx\":0000",
                       "End", "Attribute VB_Name = \"frmOut\""})},
                {"inner/shared.frx", dir_.Read("src/Shared/shared.frx")}}));
}

TEST_F(FileBackedIdeSaveTest, TwoCompanionsThatWouldLandOnOneFileStopTheSave) {
  dir_.Write("src/App/a.frx", "first");
  dir_.Write("src/Shared/a.frx", "second");
  dir_.Write(
      "src/App/frmTwo.frm",
      Crlf({"VERSION 5.00", "Begin VB.Form frmTwo ", "   Icon = \"a.frx\":0000",
            "   Picture = \"..\\Shared\\a.frx\":0000", "End", "Attribute VB_Name = \"frmTwo\""}));
  const auto added =
      vbe_->ActiveVBProject()->Components().AddFile(dir_.VbPath("src/App/frmTwo.frm"), false);
  try {
    added->SaveAs(dir_.VbPath("copy\\frmTwo.frm"));
    ADD_FAILURE() << "one companion would have been lost";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kFileAlreadyExists);
  }
  EXPECT_TRUE(Snapshot("copy").empty());
}

struct FaultCase {
  std::string label;
  fakes::FileOp op;
  int32_t number;
  std::string pathContains;
  std::string component;
  std::string newFile;
};

class FileBackedIdeSaveFaultTest : public FileBackedIdeSaveTest,
                                   public ::testing::WithParamInterface<FaultCase> {};

// Whatever fails on the way, the target keeps what it held, no temporary file is left behind,
// the failure arrives with the run time's number, and the component stays where it was.
TEST_P(FileBackedIdeSaveFaultTest, LeavesTheTargetAsItWas) {
  const FaultCase& c = GetParam();
  dir_.Write("copy/" + c.newFile, "what was there");
  const std::map<std::string, std::string> before = Snapshot("copy");
  const auto component = Component(c.component);
  const std::string file = component->FileNames(1);
  faulty_.Fail(c.op, c.number, c.pathContains);

  try {
    component->SaveAs(dir_.VbPath("copy\\" + c.newFile));
    ADD_FAILURE() << "saved despite the fault";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), c.number);
  }
  EXPECT_EQ(faulty_.FailuresRaised(), 1);
  EXPECT_EQ(Snapshot("copy"), before);
  EXPECT_EQ(component->FileNames(1), file);
  EXPECT_EQ(Snapshot("src"), source_);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FileBackedIdeSaveFaultTest,
    ::testing::Values(
        FaultCase{"DiskFullOnCompanion", fakes::FileOp::Copy, 61, ".frx", "frmMain", "frmMain.frm"},
        FaultCase{"DiskFullOnComponent", fakes::FileOp::Copy, 61, "frmMain.frm", "frmMain",
                  "frmMain.frm"},
        FaultCase{"DiskFullWhileRewriting", fakes::FileOp::WriteLine, 61, "", "frmMain",
                  "frmNew.frm"},
        FaultCase{"DiskFullOnClose", fakes::FileOp::CloseText, 61, "", "frmMain", "frmNew.frm"},
        FaultCase{"DeniedOnCreate", fakes::FileOp::CreateText, 70, "", "frmMain", "frmNew.frm"},
        FaultCase{"DeniedOnFirstReplace", fakes::FileOp::Replace, 70, "", "frmMain", "frmMain.frm"},
        FaultCase{"CacheUnreadable", fakes::FileOp::Copy, 57, ".dca", "dsrMonthly",
                  "dsrMonthly.dsr"},
        FaultCase{"ModuleDiskFull", fakes::FileOp::Copy, 61, "", "modMain", "modMain.bas"},
        FaultCase{"ResourceDenied", fakes::FileOp::Replace, 75, "", "Ledger.res", "Ledger.res"}),
    [](const auto& each) { return each.param.label; });

struct ReadOnlyCase {
  std::string component;
  std::string readOnlyFile;  // already in the copy directory
};

class FileBackedIdeReadOnlyTargetTest : public FileBackedIdeSaveTest,
                                        public ::testing::WithParamInterface<ReadOnlyCase> {};

// A read-only file at the target is kept, as Windows keeps it: the save fails before it writes.
TEST_P(FileBackedIdeReadOnlyTargetTest, IsNotReplaced) {
  const ReadOnlyCase& c = GetParam();
  dir_.Write("copy/" + c.readOnlyFile, "kept");
  std::filesystem::permissions(dir_.HostPath("copy/" + c.readOnlyFile),
                               std::filesystem::perms::owner_read);
  const auto component = Component(c.component);
  const std::string file = component->FileNames(1);
  try {
    component->SaveAs(dir_.VbPath("copy\\" + FileNameOf(file)));
    ADD_FAILURE() << "replaced a read-only " << c.readOnlyFile;
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kPathFileAccessError);
  }
  EXPECT_EQ(Snapshot("copy"), (std::map<std::string, std::string>{{c.readOnlyFile, "kept"}}));
  EXPECT_EQ(component->FileNames(1), file);
}

INSTANTIATE_TEST_SUITE_P(Targets, FileBackedIdeReadOnlyTargetTest,
                         ::testing::Values(ReadOnlyCase{"frmMain", "frmMain.frm"},
                                           ReadOnlyCase{"frmMain", "frmMain.frx"},
                                           ReadOnlyCase{"dsrMonthly", "dsrMonthly.dca"},
                                           ReadOnlyCase{"Ledger.res", "Ledger.res"}));

}  // namespace
}  // namespace zarvelin::filebacked
