#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/SaveFiles.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

struct FaultCase {
  std::string label;
  std::string directory;  // below the test directory
  std::optional<fakes::FileOp> op;
  int32_t number;
  std::string source = "src/App.res";  // the related file copied
};

// The project open in the file-backed IDE, beside a related file.
class SaveFilesTest : public CopyRoad, public testing::WithParamInterface<FaultCase> {
 protected:
  void SetUp() override {
    temp.Write("src/App.vbp", "Type=Exe\r\nModule=modMain; modMain.bas\r\nName=\"App\"\r\n");
    temp.Write("src/modMain.bas", "Attribute VB_Name = \"modMain\"\r\n");
    temp.Write("src/App.res", std::string("RES\0\r\n\xFF", 7));
    temp.MakeDirectory("copy");
    vbe = filebacked::OpenFileBackedIde(temp.VbPath("src/App.vbp"), {});
  }

  // The file-error box of a save names the target, the run time's number and its description.
  static Message Box(const std::string& lead, const std::string& target, int32_t number,
                     const std::string& tail, const std::string& title) {
    return {lead + "\r\n" + target + "\r\nError: " + std::to_string(number) + " " +
                StandardMessage(number) + tail,
            title, 48};
  }

  std::unique_ptr<filebacked::FileBackedVBE> vbe;
};

TEST_F(SaveFilesTest, SaveVBPSavesTheProjectFileUnderTheCopyDirectory) {
  const std::string source = temp.Read("src/App.vbp");
  EXPECT_TRUE(SaveVBP(*vbe->ActiveVBProject(), temp.VbPath("copy"), "App.vbp"));
  EXPECT_EQ(temp.Read("copy/App.vbp"),
            "Type=Exe\r\nModule=modMain; ..\\src\\modMain.bas\r\nName=\"App\"\r\n");
  EXPECT_EQ(vbe->ActiveVBProject()->FileName(), temp.VbPath("copy\\App.vbp"));
  EXPECT_EQ(temp.Read("src/App.vbp"), source);
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_TRUE(failures.empty());
}

// A file or device error gets the operation's own box with the run time's number and text; the
// copy directory keeps what it held.
class SaveRelatedFileFaultTest : public SaveFilesTest {};

TEST_P(SaveRelatedFileFaultTest, ShowsTheBoxAndKeepsTheOlderFile) {
  const FaultCase& c = GetParam();
  temp.Write("copy/App.res", "what was there");
  if (c.op) faulty.Fail(*c.op, c.number);
  const std::string directory = temp.VbPath(c.directory);

  EXPECT_FALSE(SaveRelatedFile(temp.VbPath(c.source), directory, "App.res"));

  EXPECT_EQ(platform.Messages(),
            std::vector<Message>{
                Box("Error Saving Related Document File: ", directory + "\\App.res", c.number,
                    "\r\nThe copy operation is stopped!", "SaveRelatedFile Error")});
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(temp.Read("copy/App.res"), "what was there");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveRelatedFileFaultTest,
    testing::Values(
        FaultCase{"MissingSource", "copy", std::nullopt, vberr::kFileNotFound, "src/Gone.res"},
        FaultCase{"MissingCopyDirectory", "nowhere", std::nullopt, vberr::kPathNotFound},
        FaultCase{"BadFileName", "copy", fakes::FileOp::Copy, vberr::kBadFileNameOrNumber},
        FaultCase{"DiskFull", "copy", fakes::FileOp::Copy, vberr::kDiskFull}),
    [](const auto& each) { return each.param.label; });

// The project file is replaced whole or not at all, whichever step fails.
class SaveVBPFaultTest : public SaveFilesTest {};

TEST_P(SaveVBPFaultTest, ShowsTheBoxAndKeepsTheOlderFile) {
  const FaultCase& c = GetParam();
  temp.Write("copy/App.vbp", "what was there");
  if (c.op) faulty.Fail(*c.op, c.number);
  const std::string directory = temp.VbPath(c.directory);

  EXPECT_FALSE(SaveVBP(*vbe->ActiveVBProject(), directory, "App.vbp"));

  EXPECT_EQ(platform.Messages(),
            std::vector<Message>{Box("Error Saving New VBP File: ", directory + "\\App.vbp",
                                     c.number, "", "SaveVBP Error")});
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(temp.Read("copy/App.vbp"), "what was there");
  EXPECT_EQ(vbe->ActiveVBProject()->FileName(), temp.VbPath("src/App.vbp"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveVBPFaultTest,
    testing::Values(
        FaultCase{"MissingCopyDirectory", "nowhere", std::nullopt, vberr::kPathNotFound},
        FaultCase{"BadFileName", "copy", fakes::FileOp::CreateText, vberr::kBadFileNameOrNumber},
        FaultCase{"DiskFull", "copy", fakes::FileOp::WriteLine, vberr::kDiskFull},
        FaultCase{"DiskFullOnClose", "copy", fakes::FileOp::CloseText, vberr::kDiskFull},
        FaultCase{"WriteProtected", "copy", fakes::FileOp::CreateText, vberr::kPermissionDenied},
        FaultCase{"InUse", "copy", fakes::FileOp::Replace, vberr::kPathFileAccessError}),
    [](const auto& each) { return each.param.label; });

// Failures outside the file and device errors go to the report with the procedure and its line.
TEST_F(SaveFilesTest, OtherFailuresAreReportedWithoutABox) {
  for (const int32_t number : {vberr::kBadFileNameOrNumber - 1, vberr::kPathNotFound + 1,
                               vberr::kObjectVariableNotSet, vberr::kAutomationError}) {
    SCOPED_TRACE(number);
    failures.clear();
    faulty.Fail(fakes::FileOp::Copy, number);
    EXPECT_FALSE(SaveRelatedFile(temp.VbPath("src/App.res"), temp.VbPath("copy"), "App.res"));
    faulty.Fail(fakes::FileOp::CreateText, number);
    EXPECT_FALSE(SaveVBP(*vbe->ActiveVBProject(), temp.VbPath("copy"), "App.vbp"));

    const std::string line = " 10 " + std::to_string(number);
    EXPECT_EQ(failures, (std::vector<std::string>{"SaveRelatedFile" + line, "SaveVBP" + line}));
  }
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_FALSE(temp.Exists("copy/App.res"));
  EXPECT_FALSE(temp.Exists("copy/App.vbp"));
}

// Copying a file onto itself would empty it: the run time refuses, and the box says so.
TEST_F(SaveFilesTest, SaveRelatedFileOntoItsSourceLosesNothing) {
  const std::string before = temp.Read("src/App.res");
  EXPECT_FALSE(SaveRelatedFile(temp.VbPath("src/App.res"), temp.VbPath("src"), "app.RES"));
  EXPECT_EQ(temp.Read("src/App.res"), before);
  EXPECT_EQ(Titles(), std::vector<std::string>{"SaveRelatedFile Error"});
}

TEST_F(SaveFilesTest, NoFailureEscapesWhenTheBoxCannotShow) {
  SetPlatform(nullptr);
  EXPECT_FALSE(SaveRelatedFile(temp.VbPath("src/Gone.res"), temp.VbPath("copy"), "Gone.res"));
  EXPECT_EQ(failures, std::vector<std::string>{"SaveRelatedFile 10 53"});
}

}  // namespace
}  // namespace zarvelin::copy
