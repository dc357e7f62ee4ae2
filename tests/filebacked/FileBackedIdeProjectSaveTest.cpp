#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FileBackedIdeFixture.h"
#include "filebacked/FileBackedIde.h"
#include "filebacked/FileBackedIdePaths.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::filebacked {
namespace {

// The ledger's project file with some of its lines replaced (by their old text).
std::string LedgerWith(const std::map<std::string, std::string>& replaced) {
  std::string text = LedgerProjectFile();
  for (const auto& [oldLine, newLine] : replaced) {
    const size_t at = text.find("\r\n" + oldLine + "\r\n");
    EXPECT_NE(at, std::string::npos) << oldLine;
    if (at != std::string::npos) text.replace(at + 2, oldLine.size(), newLine);
  }
  return text;
}

class FileBackedIdeProjectSaveTest : public FileBackedIdeTest {
 protected:
  void SetUp() override {
    WriteLedger(dir_);
    dir_.MakeDirectory("copy");
    vbe_ = OpenFileBackedIde(dir_.VbPath("src/App/App.vbp"), {});
    source_ = Snapshot("src");
  }

  ide::VBProject& Project() { return *vbe_->ActiveVBProject(); }

  // What the copy does: every component saved under the copy directory by its file name.
  void SaveEveryComponentTo(const std::string& directory) {
    for (const auto& component : Project().Components().Enumerate()) {
      ASSERT_TRUE(component->SaveAs(directory + "\\" + FileNameOf(component->FileNames(1))));
    }
  }

  std::unique_ptr<FileBackedVBE> vbe_;
  std::map<std::string, std::string> source_;
};

TEST_F(FileBackedIdeProjectSaveTest, ComponentLinesFollowTheComponentsAndNothingElseChanges) {
  SaveEveryComponentTo(dir_.VbPath("copy"));
  Project().SaveAs(dir_.VbPath("copy\\App.vbp"));

  EXPECT_EQ(dir_.Read("copy/App.vbp"),
            LedgerWith({{"Module=Util; ..\\Shared\\Util.bas", "Module=Util; Util.bas"},
                        {"Class=cEntry; classes\\cEntry.cls", "Class=cEntry; cEntry.cls"},
                        {"Form=forms\\FRMCASE.FRM", "Form=frmCase.frm"},
                        {"RelatedDoc=docs\\Ledger Notes.txt", "RelatedDoc=Ledger Notes.txt"}}));
  EXPECT_EQ(Project().FileName(), dir_.VbPath("copy\\App.vbp"));
  EXPECT_EQ(Snapshot("src"), source_);
}

// A component on another drive than the project file can only be named by its full path.
TEST_F(FileBackedIdeProjectSaveTest, ComponentsOnAnotherDriveKeepTheirFullPath) {
  const std::vector<std::string> names{"frmMain", "Util", "Ledger Notes.txt"};
  for (const auto& component : Project().Components().Enumerate()) {
    if (std::find(names.begin(), names.end(), component->Name()) == names.end()) continue;
    ASSERT_TRUE(component->SaveAs("Y:\\" + FileNameOf(component->FileNames(1))));
  }
  Project().SaveAs(dir_.VbPath("copy\\App.vbp"));
  EXPECT_EQ(
      dir_.Read("copy/App.vbp"),
      LedgerWith(
          {{"Form=frmMain.frm", "Form=Y:\\frmMain.frm"},
           {"Form=mdiLedger.frm", "Form=..\\src\\App\\mdiLedger.frm"},
           {"Module=modMain; modMain.bas", "Module=modMain; ..\\src\\App\\modMain.bas"},
           {"Module=Util; ..\\Shared\\Util.bas", "Module=Util; Y:\\Util.bas"},
           {"Class=cEntry; classes\\cEntry.cls", "Class=cEntry; ..\\src\\App\\classes\\cEntry.cls"},
           {"UserControl=ctlAmount.ctl", "UserControl=..\\src\\App\\ctlAmount.ctl"},
           {"PropertyPage=ppgCurrency.pag", "PropertyPage=..\\src\\App\\ppgCurrency.pag"},
           {"UserDocument=docLedger.dob", "UserDocument=..\\src\\App\\docLedger.dob"},
           {"Designer=dsrMonthly.dsr", "Designer=..\\src\\App\\dsrMonthly.dsr"},
           {"Form=forms\\FRMCASE.FRM", "Form=..\\src\\App\\forms\\frmCase.frm"},
           {"ResFile32=\"Ledger.res\"", "ResFile32=\"..\\src\\App\\Ledger.res\""},
           {"RelatedDoc=docs\\Ledger Notes.txt", "RelatedDoc=Y:\\Ledger Notes.txt"}}));
  EXPECT_EQ(otherDrive_.Read("frmMain.frx"), source_.at("App/frmMain.frx"));
  EXPECT_EQ(Snapshot("src"), source_);
}

struct ElsewhereCase {
  std::string projectFolder;  // below the temp dir, where the project file is saved
  std::map<std::string, std::string> lines;
};

class FileBackedIdeProjectElsewhereTest : public FileBackedIdeProjectSaveTest,
                                          public ::testing::WithParamInterface<ElsewhereCase> {};

// Saved in another folder, the project names its unmoved components from there, as VB does.
TEST_P(FileBackedIdeProjectElsewhereTest, NamesTheComponentsRelativeToItsNewPlace) {
  dir_.MakeDirectory(GetParam().projectFolder);
  Project().SaveAs(dir_.VbPath(GetParam().projectFolder + "/Moved.vbp"));
  EXPECT_EQ(dir_.Read(GetParam().projectFolder + "/Moved.vbp"), LedgerWith(GetParam().lines));

  // Read again from there, the project finds every component where it was.
  const auto again = OpenFileBackedIde(dir_.VbPath(GetParam().projectFolder + "/Moved.vbp"), {});
  const auto components = again->ActiveVBProject()->Components().Enumerate();
  ASSERT_EQ(components.size(), LedgerComponents().size());
  for (size_t i = 0; i < components.size(); ++i) {
    EXPECT_EQ(components[i]->FileNames(1),
              Project().Components().Item(static_cast<int32_t>(i + 1))->FileNames(1));
  }
  // Nothing of the source was written but the new project file.
  std::map<std::string, std::string> source = Snapshot("src");
  if (GetParam().projectFolder.starts_with("src/")) {
    source.erase(GetParam().projectFolder.substr(4) + "/Moved.vbp");
  } else {
    source.erase("Moved.vbp");
  }
  EXPECT_EQ(source, source_);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FileBackedIdeProjectElsewhereTest,
    ::testing::Values(
        ElsewhereCase{
            "elsewhere/deep",
            {{"Form=frmMain.frm", "Form=..\\..\\src\\App\\frmMain.frm"},
             {"Form=mdiLedger.frm", "Form=..\\..\\src\\App\\mdiLedger.frm"},
             {"Module=modMain; modMain.bas", "Module=modMain; ..\\..\\src\\App\\modMain.bas"},
             {"Module=Util; ..\\Shared\\Util.bas", "Module=Util; ..\\..\\src\\Shared\\Util.bas"},
             {"Class=cEntry; classes\\cEntry.cls",
              "Class=cEntry; ..\\..\\src\\App\\classes\\cEntry.cls"},
             {"UserControl=ctlAmount.ctl", "UserControl=..\\..\\src\\App\\ctlAmount.ctl"},
             {"PropertyPage=ppgCurrency.pag", "PropertyPage=..\\..\\src\\App\\ppgCurrency.pag"},
             {"UserDocument=docLedger.dob", "UserDocument=..\\..\\src\\App\\docLedger.dob"},
             {"Designer=dsrMonthly.dsr", "Designer=..\\..\\src\\App\\dsrMonthly.dsr"},
             {"Form=forms\\FRMCASE.FRM", "Form=..\\..\\src\\App\\forms\\frmCase.frm"},
             {"ResFile32=\"Ledger.res\"", "ResFile32=\"..\\..\\src\\App\\Ledger.res\""},
             {"RelatedDoc=docs\\Ledger Notes.txt",
              "RelatedDoc=..\\..\\src\\App\\docs\\Ledger Notes.txt"}}},
        // Saved into the folder of the project's own components: lines that still lead to the
        // same file keep their bytes, spelling included.
        ElsewhereCase{"src/App", {}}));

// The copy replaces the resource file and related documents by their copies: their lines leave
// their places and the new ones join the project's component lines, not a tool's section.
TEST_F(FileBackedIdeProjectSaveTest, FilesAddedLaterJoinTheComponentLines) {
  ide::VBComponents& components = Project().Components();
  for (const std::string name : {"Ledger.res", "Ledger Notes.txt"}) {
    for (const auto& component : components.Enumerate()) {
      if (component->Name() != name) continue;
      const bool related = component->Type() == ide::component::kRelatedDocument;
      Files().Copy(component->FileNames(1), dir_.VbPath("copy\\" + name));
      components.Remove(*component);
      components.AddFile(dir_.VbPath("copy\\" + name), related);
    }
  }
  Project().SaveAs(dir_.VbPath("src\\App\\App.vbp"));

  std::string expected = LedgerProjectFile();
  for (const std::string line :
       {"ResFile32=\"Ledger.res\"\r\n", "RelatedDoc=docs\\Ledger Notes.txt\r\n"}) {
    expected.erase(expected.find(line), line.size());
  }
  expected.insert(expected.find("IconForm="),
                  "ResFile32=\"..\\..\\copy\\Ledger.res\"\r\n"
                  "RelatedDoc=..\\..\\copy\\Ledger Notes.txt\r\n");
  EXPECT_EQ(dir_.Read("src/App/App.vbp"), expected);
}

// Sections after the project's own part belong to tools: their lines are no components, and
// components added to a project without any go before them.
TEST_F(FileBackedIdeProjectSaveTest, ToolSectionsStayTheTools) {
  dir_.Write("bare/Bare.vbp",
             Crlf({"Type=Exe", "Name=\"Bare\"", "", "[Tool]", "Form=NotOurs.frm"}));
  dir_.Write("bare/Added.bas", Crlf({"Attribute VB_Name = \"Added\""}));
  auto vbe = OpenFileBackedIde(dir_.VbPath("bare/Bare.vbp"), {});
  ide::VBProject& project = *vbe->ActiveVBProject();
  EXPECT_EQ(project.Components().Count(), 0);

  project.Components().AddFile(dir_.VbPath("bare/Added.bas"), false);
  project.SaveAs(dir_.VbPath("bare/Bare.vbp"));
  EXPECT_EQ(dir_.Read("bare/Bare.vbp"),
            Crlf({"Type=Exe", "Name=\"Bare\"", "", "Module=Added; Added.bas", "[Tool]",
                  "Form=NotOurs.frm"}));
}

TEST_F(FileBackedIdeProjectSaveTest, SavingOntoItselfKeepsEveryByte) {
  Project().SaveAs(dir_.VbPath("src\\App\\App.vbp"));
  Project().SaveAs(UpperAscii(dir_.VbPath("src\\App\\App.vbp")));
  EXPECT_EQ(Snapshot("src"), source_);
}

TEST_F(FileBackedIdeProjectSaveTest, WritesCrLfLineEndsWhateverItRead) {
  std::string bare = LedgerProjectFile();
  std::erase(bare, '\r');
  dir_.Write("src/App/Bare.vbp", bare);
  auto vbe = OpenFileBackedIde(dir_.VbPath("src/App/Bare.vbp"), {});
  vbe->ActiveVBProject()->SaveAs(dir_.VbPath("src\\App\\Saved.vbp"));
  EXPECT_EQ(dir_.Read("src/App/Saved.vbp"), LedgerProjectFile());
}

struct ProjectFaultCase {
  std::string label;
  fakes::FileOp op;
  int32_t number;
};

class FileBackedIdeProjectFaultTest : public FileBackedIdeProjectSaveTest,
                                      public ::testing::WithParamInterface<ProjectFaultCase> {};

TEST_P(FileBackedIdeProjectFaultTest, LeavesTheTargetAsItWas) {
  dir_.Write("copy/App.vbp", "the project that was there\r\n");
  const std::map<std::string, std::string> before = Snapshot("copy");
  faulty_.Fail(GetParam().op, GetParam().number);
  try {
    Project().SaveAs(dir_.VbPath("copy\\App.vbp"));
    ADD_FAILURE() << "saved despite the fault";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), GetParam().number);
  }
  EXPECT_EQ(Snapshot("copy"), before);
  EXPECT_EQ(Project().FileName(), dir_.VbPath("src\\App\\App.vbp"));
  EXPECT_EQ(Snapshot("src"), source_);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FileBackedIdeProjectFaultTest,
    ::testing::Values(ProjectFaultCase{"DiskFullWhileWriting", fakes::FileOp::WriteLine, 61},
                      ProjectFaultCase{"DiskFullOnClose", fakes::FileOp::CloseText, 61},
                      ProjectFaultCase{"DeniedOnCreate", fakes::FileOp::CreateText, 70},
                      ProjectFaultCase{"DeniedOnReplace", fakes::FileOp::Replace, 70},
                      ProjectFaultCase{"DeviceErrorOnBackup", fakes::FileOp::Copy, 57}),
    [](const auto& each) { return each.param.label; });

TEST_F(FileBackedIdeProjectSaveTest, AMissingFolderFailsWithPathNotFound) {
  try {
    Project().SaveAs(dir_.VbPath("nowhere\\App.vbp"));
    ADD_FAILURE() << "saved into a folder that does not exist";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kPathNotFound);
  }
  EXPECT_FALSE(dir_.Exists("nowhere"));
}

// Open, save every component and the project elsewhere, open that: the same project, complete.
TEST_F(FileBackedIdeProjectSaveTest, RoundTripGivesTheSameProject) {
  SaveEveryComponentTo(dir_.VbPath("copy"));
  Project().SaveAs(dir_.VbPath("copy\\App.vbp"));
  vbe_->Projects().AddFromFile(dir_.VbPath("src\\App\\App.vbp"), true);

  const auto copied = OpenFileBackedIde(dir_.VbPath("copy\\App.vbp"), {});
  const auto components = copied->ActiveVBProject()->Components().Enumerate();
  ASSERT_EQ(components.size(), LedgerComponents().size());
  const std::map<std::string, std::string> copy = Snapshot("copy");
  for (size_t i = 0; i < components.size(); ++i) {
    const LedgerComponent& expected = LedgerComponents()[i];
    EXPECT_EQ(components[i]->Name(), expected.name);
    EXPECT_EQ(components[i]->Type(), expected.type);
    const std::string fileName = FileNameOf(components[i]->FileNames(1));
    EXPECT_EQ(components[i]->FileNames(1), dir_.VbPath("copy\\" + fileName));
    EXPECT_EQ(copy.at(fileName), source_.at(expected.file.substr(4))) << fileName;
    for (const std::string& companion : expected.companions) {
      const std::string name = companion.substr(companion.rfind('/') + 1);
      EXPECT_EQ(copy.at(name), source_.at(companion.substr(4))) << name;
    }
  }
  // Saving the copy's components onto themselves and the project again changes no byte.
  for (const auto& component : components) {
    EXPECT_TRUE(component->SaveAs(component->FileNames(1)));
  }
  copied->ActiveVBProject()->SaveAs(dir_.VbPath("copy\\App.vbp"));
  EXPECT_EQ(Snapshot("copy"), copy);
  EXPECT_EQ(Snapshot("src"), source_);
}

}  // namespace
}  // namespace zarvelin::filebacked
