#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "copy/CopyProject.h"
#include "copy/CopySafeguard.h"
#include "copy/JournalSafeguard.h"
#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"

// The copy engine on the example project in a copy directory that already holds an earlier copy
// and a file of the user's: every way a copy can stop leaves that directory byte for byte as it
// was, through the safeguard's rollback, and a dry run predicts exactly what a copy writes.
namespace zarvelin {
namespace {

constexpr const char* kCopy = "C:\\Copy";

// The safeguard every copy uses, counting what it is asked.
class CountingSafeguard : public copy::CopySafeguard {
 public:
  void Begin(const std::string& directory, const std::vector<std::string>& planned,
             const std::vector<std::string>& reserved) override {
    ++begun;
    used_->Begin(directory, planned, reserved);
  }
  std::vector<std::string> Commit() override {
    ++committed;
    return used_->Commit();
  }
  std::vector<copy::NotPutBack> Rollback() override {
    ++rolledBack;
    return used_->Rollback();
  }
  std::vector<copy::NotPutBack> Recover(const std::string& directory) override {
    return used_->Recover(directory);
  }
  int begun = 0;
  int committed = 0;
  int rolledBack = 0;

 private:
  std::unique_ptr<copy::CopySafeguard> used_ = copy::MakeCopySafeguard();
};

// Watches a copy: keeps its message boxes, and asks it to stop at the given yield (0: never).
class Watcher : public copy::CopyObserver {
 public:
  explicit Watcher(int stopAtYield = 0, bool shuttingDown = false)
      : stopAt_(stopAtYield), shuttingDown_(shuttingDown) {}
  void PassStarting(int32_t) override {}
  void ComponentCopied() override { ++yields_; }
  int32_t MsgBox(const std::string& text, const std::string& title, int32_t style) override {
    boxes.push_back(title + "|" + std::to_string(style) + "|" + text);
    return 1;
  }
  void ShowLayout(copy::CopyLayout) override {}
  void MoveToCorner() override {}
  void SetOnTop(bool) override {}
  void CenterOnTop() override {}
  void DoEvents() override { ++yields_; }
  bool StopRequested() override { return stopAt_ > 0 && yields_ >= stopAt_; }
  bool ShuttingDown() override { return shuttingDown_; }

  std::vector<std::string> boxes;

 private:
  int stopAt_;
  bool shuttingDown_;
  int yields_ = 0;
};

struct World {
  World() {
    env.files.Put("C:\\Copy\\modMain.bas", "an earlier copy's module");
    env.files.Put("C:\\Copy\\Ledger.vbp", "Name=\"Earlier\"\r\n");
    env.files.Put("C:\\Copy\\mine.txt", "the user's own notes");
    configuration.addIns.push_back({"vbscc", true});
  }
  copy::CopyResult Copy(copy::CopyObserver& observer, copy::CopySafeguard& safeguard) {
    vbe = filebacked::OpenFileBackedIde(fakes::TestEnvironment::kProject, configuration);
    project = vbe->ActiveVBProject();
    return copy::CopyProject(*vbe, *project, Request(&safeguard), observer);
  }
  copy::CopyRequest Request(copy::CopySafeguard* safeguard) const {
    copy::CopyRequest request;
    request.copyDirectory = kCopy;
    request.projectDirectory = fakes::TestEnvironment::kProjectDir;
    request.projectFileName = "Ledger.vbp";
    request.safeguard = safeguard;
    return request;
  }
  std::vector<bool> SccChanges() const {
    return vbe->InstalledAddIns().Find("vbscc")->ConnectChanges();
  }

  fakes::TestEnvironment env;
  filebacked::IdeConfiguration configuration;
  std::unique_ptr<filebacked::FileBackedVBE> vbe;
  std::shared_ptr<ide::VBProject> project;
};

struct Stop {
  const char* name;
  // What goes wrong: a file removed, made read-only, or an operation failing on a path.
  const char* removed;
  const char* readOnly;
  const char* failOp;
  int32_t failNumber;
  const char* failPath;
  int32_t failPassing;
  int stopAtYield;
  copy::CopyStep step;
  int32_t number;
  // The step's own message boxes before the one that says the directory is as it was (a
  // failure without one went to the error report).
  size_t ownBoxes;
};

const Stop kStops[] = {
    {"MissingRelatedDocument", "C:\\Projects\\Ledger\\app\\docs\\Ledger Notes.txt", nullptr,
     nullptr, 0, nullptr, 0, 0, copy::CopyStep::Components, 53, 1},
    {"ReadOnlyTarget", nullptr, "C:\\Copy\\modMain.bas", nullptr, 0, nullptr, 0, 0,
     copy::CopyStep::Components, 70, 1},
    {"FullDiskOnACompanion", nullptr, nullptr, "CopyFrom", 61, "frmMain.frx", 0, 0,
     copy::CopyStep::Components, 61, 1},
    {"FullDiskOnTheResourceFile", nullptr, nullptr, "Copy", 61, "Ledger.res", 0, 0,
     copy::CopyStep::Components, 61, 1},
    {"ProjectFileNotWritten", nullptr, nullptr, "Write", 61, "Copy\\Ledger.vbp", 0, 0,
     copy::CopyStep::ProjectFile, 61, 2},
    {"Path32NotCleared", nullptr, nullptr, "Commit", 75, "Copy\\Ledger.vbp", 1, 0,
     copy::CopyStep::Path32, 0, 0},
    {"StoppedAfterTheFirstComponent", nullptr, nullptr, nullptr, 0, nullptr, 0, 2,
     copy::CopyStep::Stopped, 0, 0},
    {"StoppedBeforeTheReopen", nullptr, nullptr, nullptr, 0, nullptr, 0, 12,
     copy::CopyStep::Stopped, 0, 0},
};

class StoppedCopy : public testing::TestWithParam<Stop> {};

TEST_P(StoppedCopy, LeavesTheCopyDirectoryAsItWas) {
  const Stop& stop = GetParam();
  World world;
  if (stop.removed != nullptr) world.env.files.Delete(stop.removed);
  if (stop.readOnly != nullptr) {
    world.env.files.Put(stop.readOnly, world.env.files.Bytes(stop.readOnly), fileattr::kReadOnly);
  }
  if (stop.failOp != nullptr) {
    world.env.files.Fail(stop.failOp, stop.failNumber, stop.failPath, stop.failPassing);
  }
  const std::map<std::string, std::string> before = world.env.files.FilesUnder(kCopy);
  CountingSafeguard safeguard;
  Watcher watcher(stop.stopAtYield);

  const copy::CopyResult result = world.Copy(watcher, safeguard);

  EXPECT_FALSE(result.finished);
  EXPECT_EQ(result.step, stop.step);
  EXPECT_EQ(result.errorNumber, stop.number);
  EXPECT_EQ(safeguard.begun, 1);
  EXPECT_EQ(safeguard.rolledBack, 1);
  EXPECT_EQ(safeguard.committed, 0);
  EXPECT_EQ(world.env.files.FilesUnder(kCopy), before);
  ASSERT_EQ(watcher.boxes.size(), stop.ownBoxes + 1);
  EXPECT_EQ(watcher.boxes.back(), "Zarvelin|64|The copy directory was left as it was.");
  // The source-code-control add-in is connected again in every case.
  EXPECT_EQ(world.SccChanges(), (std::vector<bool>{false, true}));
  // A stopped copy makes no further IDE call; a failed one reopens the source project.
  const bool reopened = world.vbe->ActiveVBProject() != world.project;
  EXPECT_EQ(reopened, stop.stopAtYield == 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, StoppedCopy, testing::ValuesIn(kStops),
                         [](const testing::TestParamInfo<Stop>& stop) { return stop.param.name; });

TEST(StoppedCopy, WhileTheIdeGoesAwayLeavesTheAddInAlone) {
  World world;
  CountingSafeguard safeguard;
  Watcher watcher(2, true);
  const copy::CopyResult result = world.Copy(watcher, safeguard);
  EXPECT_EQ(result.step, copy::CopyStep::Stopped);
  EXPECT_EQ(safeguard.rolledBack, 1);
  EXPECT_EQ(world.SccChanges(), (std::vector<bool>{false}));
}

TEST(FinishedCopy, ReplacesWhatWasThereAndKeepsTheUsersOwnFile) {
  World world;
  CountingSafeguard safeguard;
  Watcher watcher;
  const copy::CopyResult result = world.Copy(watcher, safeguard);
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(safeguard.committed, 1);
  EXPECT_EQ(safeguard.rolledBack, 0);
  EXPECT_EQ(result.replaced,
            (std::vector<std::string>{"C:\\Copy\\modMain.bas", "C:\\Copy\\Ledger.vbp"}));
  EXPECT_EQ(world.env.files.Bytes("C:\\Copy\\mine.txt"), "the user's own notes");
  // Nothing is left aside: the directory holds what the copy wrote and the user's file.
  std::map<std::string, std::string> expected{{"C:\\Copy\\mine.txt", "the user's own notes"}};
  for (const copy::WrittenFile& file : result.written) {
    expected[file.path] = world.env.files.Bytes(file.path);
    EXPECT_EQ(file.size, static_cast<int64_t>(expected[file.path].size())) << file.path;
  }
  EXPECT_EQ(world.env.files.FilesUnder(kCopy), expected);
}

// What the IDE holds after a finished copy: the source project again, or the copy the IDE saved
// when the caller reopens sources itself (a group copy does, once, at its end).
struct Reopening {
  const char* name;
  bool reopenSource;
  const char* heldAfter;
};

const Reopening kReopenings[] = {
    {"SourceReopened", true, "C:\\Projects\\Ledger\\app\\Ledger.vbp"},
    {"CopyLeftOpen", false, "C:\\Copy\\Ledger.vbp"},
};

class FinishedCopyReopening : public testing::TestWithParam<Reopening> {};

TEST_P(FinishedCopyReopening, HoldsWhatTheRequestAsks) {
  World world;
  Watcher watcher;
  world.vbe = filebacked::OpenFileBackedIde(fakes::TestEnvironment::kProject, world.configuration);
  copy::CopyRequest request = world.Request(nullptr);
  request.reopenSource = GetParam().reopenSource;
  const copy::CopyResult result =
      copy::CopyProject(*world.vbe, *world.vbe->ActiveVBProject(), request, watcher);
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(world.vbe->Projects().Count(), 1);
  EXPECT_EQ(world.vbe->ActiveVBProject()->FileName(), GetParam().heldAfter);
}

INSTANTIATE_TEST_SUITE_P(Requests, FinishedCopyReopening, testing::ValuesIn(kReopenings),
                         [](const testing::TestParamInfo<Reopening>& reopening) {
                           return std::string(reopening.param.name);
                         });

TEST(KilledCopy, IsPutBackByTheNextCopyBeforeItPlans) {
  World world;
  world.env.files.Put("C:\\Copy\\modMain.bas", "half of a killed copy's module");
  const std::string aside = "C:\\Copy\\~zarvelin-aside-1";
  world.env.files.Put(aside, "an earlier copy's module");
  world.env.files.Put("C:\\Copy\\~zarvelin-copy.journal",
                      "Zarvelin copy journal 1\r\nstate begun\r\nplanned modMain.bas\r\n"
                      "aside modMain.bas\t~zarvelin-aside-1\r\nend 2\r\n");
  world.env.files.Delete("C:\\Projects\\Ledger\\app\\docs\\Ledger Notes.txt");
  CountingSafeguard safeguard;
  Watcher watcher;
  const copy::CopyResult result = world.Copy(watcher, safeguard);
  EXPECT_FALSE(result.finished);
  EXPECT_EQ(world.env.files.Bytes("C:\\Copy\\modMain.bas"), "an earlier copy's module");
  EXPECT_FALSE(world.env.files.Exists(aside));
}

std::vector<std::string> Paths(const copy::CopyResult& result) {
  std::vector<std::string> paths;
  for (const copy::WrittenFile& file : result.written) paths.push_back(file.path);
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Projects beside the example: what each adds to the copy.
struct Plan {
  const char* name;
  std::vector<std::pair<const char*, const char*>> files;
  const char* extraLine;
};

const Plan kPlans[] = {
    {"TheExampleProject", {}, nullptr},
    {"ANameTakenTwice",
     {{"C:\\Projects\\Ledger\\app\\sub\\modMain.bas", "Attribute VB_Name = \"modOther\"\r\n"}},
     "Module=modOther; sub\\modMain.bas"},
    {"AFormWithTwoPictures",
     {{"C:\\Projects\\Ledger\\app\\sub\\fTwo.frm",
       "Begin VB.Form fTwo\r\n   Icon = \"a.frx\":0000\r\n   Picture = \"b.frx\":0000\r\nEnd\r\n"
       "Attribute VB_Name = \"fTwo\"\r\n"},
      {"C:\\Projects\\Ledger\\app\\sub\\a.frx", "first"},
      {"C:\\Projects\\Ledger\\app\\sub\\b.frx", "second"}},
     "Form=sub\\fTwo.frm"},
};

class DryRun : public testing::TestWithParam<Plan> {};

TEST_P(DryRun, WritesNothingAndPredictsWhatTheCopyWrites) {
  World world;
  for (const auto& [path, bytes] : GetParam().files) world.env.files.Put(path, bytes);
  if (GetParam().extraLine != nullptr) {
    std::string vbp = world.env.files.Bytes(fakes::TestEnvironment::kProject);
    vbp.insert(vbp.find("Form="), std::string(GetParam().extraLine) + "\r\n");
    world.env.files.Put(fakes::TestEnvironment::kProject, vbp);
  }
  world.vbe = filebacked::OpenFileBackedIde(fakes::TestEnvironment::kProject, world.configuration);
  const size_t callsBefore = world.env.files.Calls().size();
  const copy::CopyResult planned =
      copy::PlanCopy(*world.vbe->ActiveVBProject(), world.Request(nullptr));
  EXPECT_EQ(world.env.files.Calls().size(), callsBefore);
  ASSERT_TRUE(planned.finished) << planned.reason;

  CountingSafeguard safeguard;
  Watcher watcher;
  const copy::CopyResult copied = world.Copy(watcher, safeguard);
  ASSERT_TRUE(copied.finished) << copied.reason;
  EXPECT_EQ(Paths(planned), Paths(copied));
  EXPECT_EQ(planned.replaced, copied.replaced);
}

INSTANTIATE_TEST_SUITE_P(Projects, DryRun, testing::ValuesIn(kPlans),
                         [](const testing::TestParamInfo<Plan>& plan) { return plan.param.name; });

TEST(DryRun, StopsAtTheFirstMissingFile) {
  World world;
  world.env.files.Delete("C:\\Projects\\Ledger\\app\\docs\\Ledger Notes.txt");
  world.vbe = filebacked::OpenFileBackedIde(fakes::TestEnvironment::kProject, world.configuration);
  const copy::CopyResult planned =
      copy::PlanCopy(*world.vbe->ActiveVBProject(), world.Request(nullptr));
  EXPECT_FALSE(planned.finished);
  EXPECT_EQ(planned.errorNumber, 53);
  EXPECT_EQ(planned.file, "C:\\Projects\\Ledger\\app\\docs\\Ledger Notes.txt");
}

}  // namespace
}  // namespace zarvelin
