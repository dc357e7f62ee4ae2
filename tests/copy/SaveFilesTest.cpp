#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "copy/SaveFiles.h"
#include "fakes/FakeIde.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "platform/Platform.h"
#include "platform/headless/FileBackedIde.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

struct Reported {
  std::string module;
  std::string procedure;
  int16_t line;
  int32_t number;
  friend bool operator==(const Reported&, const Reported&) = default;
};

// Real files in a temporary directory, reached through the run time's files with a fault
// injector in between; message boxes and ErrMsg reports are written down.
class SaveFilesTest : public ::testing::Test {
 protected:
  SaveFilesTest() : runtime_(Runtime{&faulty_, nullptr, {}}) {
    SetPlatform(&platform_);
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
          reported_.push_back({std::string(module), std::string(procedure), line, number});
        });
    dir_.Write("src/App.vbp", "Type=Exe\r\nModule=modMain; modMain.bas\r\nName=\"App\"\r\n");
    dir_.Write("src/modMain.bas", "Attribute VB_Name = \"modMain\"\r\n");
    dir_.Write("src/App.res", std::string("RES\0\r\n\xFF", 7));
    dir_.MakeDirectory("copy");
  }
  ~SaveFilesTest() override {
    SetFailureReporter({});
    SetPlatform(nullptr);
  }

  std::string Copy() const { return dir_.VbPath("copy"); }

  // The file-error box of a save: its text begins with the lead line and names the target, the
  // run time's number and its description.
  static std::string BoxText(const std::string& lead, const std::string& target, int32_t number,
                             const std::string& tail) {
    return lead + "\r\n" + target + "\r\nError: " + std::to_string(number) + " " +
           StandardMessage(number) + tail;
  }

  fakes::TempDir dir_;
  headless::PathMapper mapper_;
  headless::HostFileSystem host_{mapper_};
  fakes::FaultyFileSystem faulty_{host_};
  ScopedRuntime runtime_;
  fakes::ScriptedPlatform platform_;
  std::vector<Reported> reported_;
};

TEST_F(SaveFilesTest, SaveRelatedFileCopiesTheBytes) {
  EXPECT_TRUE(SaveRelatedFile(dir_.VbPath("src/App.res"), Copy(), "App.res"));
  EXPECT_EQ(dir_.Read("copy/App.res"), dir_.Read("src/App.res"));
  dir_.Write("copy/Other.res", "an older file of that name");
  EXPECT_TRUE(SaveRelatedFile(dir_.VbPath("src/App.res"), Copy(), "Other.res"));
  EXPECT_EQ(dir_.Read("copy/Other.res"), dir_.Read("src/App.res"));
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_TRUE(reported_.empty());
}

struct RelatedFaultCase {
  std::string label;
  std::string source;     // below the temp dir
  std::string directory;  // below the temp dir
  std::optional<fakes::FileOp> op;
  int32_t number;
};

class SaveRelatedFileFaultTest : public SaveFilesTest,
                                 public ::testing::WithParamInterface<RelatedFaultCase> {};

// A file or device error gets the operation's own box with the run time's number and text; the
// copy directory keeps what it held.
TEST_P(SaveRelatedFileFaultTest, ShowsTheBoxAndReturnsFalse) {
  const RelatedFaultCase& c = GetParam();
  dir_.Write("copy/App.res", "what was there");
  if (c.op) faulty_.Fail(*c.op, c.number);
  const std::string directory = dir_.VbPath(c.directory);

  EXPECT_FALSE(SaveRelatedFile(dir_.VbPath(c.source), directory, "App.res"));

  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0],
            (fakes::ScriptedPlatform::ShownMessage{
                BoxText("Error Saving Related Document File: ", directory + "\\App.res", c.number,
                        "\r\nThe copy operation is stopped!"),
                "SaveRelatedFile Error", 48}));
  EXPECT_TRUE(reported_.empty());
  EXPECT_EQ(dir_.Read("copy/App.res"), "what was there");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveRelatedFileFaultTest,
    ::testing::Values(RelatedFaultCase{"MissingSource", "src/Gone.res", "copy", std::nullopt,
                                       vberr::kFileNotFound},
                      RelatedFaultCase{"MissingCopyDirectory", "src/App.res", "nowhere",
                                       std::nullopt, vberr::kPathNotFound},
                      RelatedFaultCase{"DiskFull", "src/App.res", "copy", fakes::FileOp::Copy,
                                       vberr::kDiskFull},
                      RelatedFaultCase{"TargetReadOnlyOrInUse", "src/App.res", "copy",
                                       fakes::FileOp::Copy, vberr::kPathFileAccessError},
                      RelatedFaultCase{"WriteProtected", "src/App.res", "copy", fakes::FileOp::Copy,
                                       vberr::kPermissionDenied}),
    [](const auto& each) { return each.param.label; });

// Copying a file onto itself would empty it: the run time refuses, and the box says so.
TEST_F(SaveFilesTest, SaveRelatedFileOntoItsSourceLosesNothing) {
  const std::string before = dir_.Read("src/App.res");
  EXPECT_FALSE(SaveRelatedFile(dir_.VbPath("src/App.res"), dir_.VbPath("src"), "app.RES"));
  EXPECT_EQ(dir_.Read("src/App.res"), before);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].title, "SaveRelatedFile Error");
}

class SaveFilesOtherErrorTest : public SaveFilesTest,
                                public ::testing::WithParamInterface<int32_t> {};

// Failures outside the file and device errors go to ErrMsg with the procedure and its line.
TEST_P(SaveFilesOtherErrorTest, GoToErrMsg) {
  const int32_t number = GetParam();
  faulty_.Fail(fakes::FileOp::Copy, number);
  EXPECT_FALSE(SaveRelatedFile(dir_.VbPath("src/App.res"), Copy(), "App.res"));

  fakes::FakeIde ide;
  ide.OpenProject("C:\\Proj\\App.vbp", {});
  ide.FailProjectSaveAs(VbError(number));
  EXPECT_FALSE(SaveVBP(*ide.ActiveVBProject(), "C:\\Copy", "App.vbp"));

  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(reported_, (std::vector<Reported>{{"frmCopyProject", "SaveRelatedFile", 10, number},
                                              {"frmCopyProject", "SaveVBP", 10, number}}));
  EXPECT_FALSE(dir_.Exists("copy/App.res"));
}

INSTANTIATE_TEST_SUITE_P(Numbers, SaveFilesOtherErrorTest,
                         ::testing::Values(vberr::kInvalidProcedureCall, vberr::kOutOfMemory,
                                           vberr::kBadFileNameOrNumber - 1,
                                           vberr::kPathNotFound + 1, vberr::kObjectVariableNotSet,
                                           vberr::kAutomationError));

// The edges of the file and device range get the box.
TEST_F(SaveFilesTest, TheFileErrorRangeIncludesBothEnds) {
  for (const int32_t number : {vberr::kBadFileNameOrNumber, vberr::kPathNotFound}) {
    fakes::FakeIde ide;
    ide.OpenProject("C:\\Proj\\App.vbp", {});
    ide.FailProjectSaveAs(VbError(number));
    EXPECT_FALSE(SaveVBP(*ide.ActiveVBProject(), "C:\\Copy", "App.vbp"));
  }
  ASSERT_EQ(platform_.Messages().size(), 2u);
  EXPECT_EQ(platform_.Messages()[0].text,
            BoxText("Error Saving New VBP File: ", "C:\\Copy\\App.vbp", 52, ""));
  EXPECT_EQ(platform_.Messages()[1].text,
            BoxText("Error Saving New VBP File: ", "C:\\Copy\\App.vbp", 76, ""));
  EXPECT_TRUE(reported_.empty());
}

class SaveVBPTest : public SaveFilesTest {
 protected:
  void SetUp() override { vbe_ = headless::OpenFileBackedIde(dir_.VbPath("src/App.vbp"), {}); }
  std::unique_ptr<headless::FileBackedVBE> vbe_;
};

TEST_F(SaveVBPTest, SavesTheProjectFileUnderTheCopyDirectory) {
  const std::string source = dir_.Read("src/App.vbp");
  EXPECT_TRUE(SaveVBP(*vbe_->ActiveVBProject(), Copy(), "App.vbp"));
  EXPECT_EQ(dir_.Read("copy/App.vbp"),
            "Type=Exe\r\nModule=modMain; ..\\src\\modMain.bas\r\nName=\"App\"\r\n");
  EXPECT_EQ(vbe_->ActiveVBProject()->FileName(), Copy() + "\\App.vbp");
  EXPECT_EQ(dir_.Read("src/App.vbp"), source);
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_TRUE(reported_.empty());
}

struct VbpFaultCase {
  std::string label;
  std::string directory;
  std::optional<fakes::FileOp> op;
  int32_t number;
};

class SaveVBPFaultTest : public SaveVBPTest, public ::testing::WithParamInterface<VbpFaultCase> {};

TEST_P(SaveVBPFaultTest, ShowsTheBoxAndReturnsFalse) {
  const VbpFaultCase& c = GetParam();
  dir_.Write("copy/App.vbp", "what was there");
  if (c.op) faulty_.Fail(*c.op, c.number);
  const std::string directory = dir_.VbPath(c.directory);

  EXPECT_FALSE(SaveVBP(*vbe_->ActiveVBProject(), directory, "App.vbp"));

  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0],
            (fakes::ScriptedPlatform::ShownMessage{
                BoxText("Error Saving New VBP File: ", directory + "\\App.vbp", c.number, ""),
                "SaveVBP Error", 48}));
  EXPECT_TRUE(reported_.empty());
  EXPECT_EQ(dir_.Read("copy/App.vbp"), "what was there");
  EXPECT_EQ(vbe_->ActiveVBProject()->FileName(), dir_.VbPath("src/App.vbp"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveVBPFaultTest,
    ::testing::Values(
        VbpFaultCase{"MissingCopyDirectory", "nowhere", std::nullopt, vberr::kPathNotFound},
        VbpFaultCase{"DiskFull", "copy", fakes::FileOp::WriteLine, vberr::kDiskFull},
        VbpFaultCase{"DiskFullOnClose", "copy", fakes::FileOp::CloseText, vberr::kDiskFull},
        VbpFaultCase{"WriteProtected", "copy", fakes::FileOp::CreateText, vberr::kPermissionDenied},
        VbpFaultCase{"InUse", "copy", fakes::FileOp::Replace, vberr::kPathFileAccessError}),
    [](const auto& each) { return each.param.label; });

// A failing box must not let the failure escape to the caller.
TEST_F(SaveFilesTest, NoFailureEscapesWhenTheBoxCannotShow) {
  SetPlatform(nullptr);
  EXPECT_FALSE(SaveRelatedFile(dir_.VbPath("src/Gone.res"), Copy(), "Gone.res"));
  EXPECT_EQ(
      reported_,
      (std::vector<Reported>{{"frmCopyProject", "SaveRelatedFile", 10, vberr::kFileNotFound}}));
}

}  // namespace
}  // namespace zarvelin::copy
