#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>

#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

using fakes::FailureOf;
using fakes::TempDir;

// A C: drive in the tree's "c", working in C:\proj.
PathMapperConfig DriveCIn(const TempDir& tree) {
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  config.workingDirectory = "C:\\proj";
  return config;
}

class HostFileSystemTest : public testing::Test {
 protected:
  HostFileSystemTest() : paths(DriveCIn(tree)), files(paths) { tree.MakeDirectory("c/proj"); }

  TempDir tree;
  PathMapper paths;
  HostFileSystem files;
};

std::string RandomBytes(size_t size) {
  std::mt19937 generator(7);
  std::string bytes(size, '\0');
  for (auto& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

// Limits the size of any file this process writes, the way a nearly full disk does: a write past
// the limit fails (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

// A C: drive in a fresh directory, whose staged files are made one way or the other: every
// staging test holds for both, whichever the file system under the tests supports.
struct StagingWorld {
  explicit StagingWorld(HostFileSystem::Staging staging) : files(paths, staging) {
    tree.MakeDirectory("c/proj");
  }
  static std::string Name(HostFileSystem::Staging staging) {
    return staging == HostFileSystem::Staging::kNamed ? " (named)" : " (unnamed)";
  }
  TempDir tree;
  const PathMapper paths{DriveCIn(tree)};
  HostFileSystem files;
};

constexpr HostFileSystem::Staging kStagings[] = {HostFileSystem::Staging::kUnnamedWhereSupported,
                                                 HostFileSystem::Staging::kNamed};

TEST(HostStagingTest, ACopyThatRunsOutOfRoomLeavesTheTargetAsItWas) {
  for (const auto staging : kStagings) {
    StagingWorld world(staging);
    world.tree.Write("c/proj/big.res", RandomBytes(256 * 1024));
    world.tree.Write("c/copy/big.res", "previous copy");
    {
      const FileSizeLimit limit(100 * 1024);
      EXPECT_EQ(FailureOf([&] { world.files.Copy("C:\\proj\\big.res", "C:\\copy\\big.res"); }),
                vberr::kDiskFull)
          << StagingWorld::Name(staging);
    }
    EXPECT_EQ(world.tree.Read("c/copy/big.res"), "previous copy") << StagingWorld::Name(staging);
    EXPECT_EQ(world.tree.List("c/copy").size(), 1u) << StagingWorld::Name(staging);
  }
}

TEST(HostStagingTest, AStagedFileThatRunsOutOfRoomFailsNoLaterThanCommitAndLeavesNothing) {
  for (const auto staging : kStagings) {
    StagingWorld world(staging);
    {
      const FileSizeLimit limit(1024);
      auto staged = world.files.Stage("C:\\proj\\out.txt");
      EXPECT_EQ(FailureOf([&] {
                  for (int line = 0; line < 100; ++line) staged->Write(std::string(50, 'x'));
                  staged->Commit();
                }),
                vberr::kDiskFull)
          << StagingWorld::Name(staging);
    }
    EXPECT_TRUE(world.tree.List("c/proj").empty()) << StagingWorld::Name(staging);
  }
}

// Whatever stands at the target, a staged file takes its place as a file of its own, nothing is
// written through a link, and no other entry is left in the directory: neither after the commit
// nor when the stage is given up.
TEST(HostStagingTest, AStagedFileReplacesWhateverIsAtItsTargetAndLeavesNothingElse) {
  const struct {
    const char* at;
    std::function<void(const TempDir&)> make;
  } cases[] = {
      {"nothing", [](const TempDir&) {}},
      {"a file", [](const TempDir& dir) { dir.Write("c/proj/out.txt", "old"); }},
      {"a link to a file elsewhere",
       [](const TempDir& dir) {
         ASSERT_EQ(
             symlink(dir.HostPath("elsewhere.txt").c_str(), dir.HostPath("c/proj/out.txt").c_str()),
             0);
       }},
      {"a link to nothing",
       [](const TempDir& dir) {
         ASSERT_EQ(
             symlink(dir.HostPath("missing.txt").c_str(), dir.HostPath("c/proj/out.txt").c_str()),
             0);
       }},
  };
  for (const auto staging : kStagings) {
    for (const auto& c : cases) {
      for (const bool commit : {true, false}) {
        const std::string what = c.at + StagingWorld::Name(staging) + (commit ? "" : ", given up");
        StagingWorld world(staging);
        world.tree.Write("elsewhere.txt", "theirs");
        c.make(world.tree);
        const std::vector<std::string> before = world.tree.List("c/proj");
        {
          auto staged = world.files.Stage("C:\\proj\\out.txt");
          staged->Write("new");
          if (commit) staged->Commit();
        }
        if (!commit) {
          EXPECT_EQ(world.tree.List("c/proj"), before) << what;
          continue;
        }
        EXPECT_EQ(world.tree.List("c/proj"), std::vector<std::string>{"out.txt"}) << what;
        struct stat status {};
        ASSERT_EQ(lstat(world.tree.HostPath("c/proj/out.txt").c_str(), &status), 0) << what;
        EXPECT_TRUE(S_ISREG(status.st_mode)) << what;
        EXPECT_EQ(world.tree.Read("c/proj/out.txt"), "new") << what;
        EXPECT_EQ(world.tree.Read("elsewhere.txt"), "theirs") << what;
        EXPECT_FALSE(world.tree.Exists("missing.txt")) << what;
      }
    }
  }
}

// A file another program puts at the target after the held listing was read is replaced whole,
// as a file that was there from the start, and keeps its mode.
TEST(HostStagingTest, AStagedFileReplacesAFileMadeAtItsTargetBehindTheHeldListing) {
  for (const auto staging : kStagings) {
    StagingWorld world(staging);
    const auto hold = world.files.HoldListings();
    ASSERT_EQ(world.files.FindFirst("C:\\proj\\out.txt", fileattr::kNormal), "");
    world.tree.Write("c/proj/out.txt", "theirs");
    ASSERT_EQ(chmod(world.tree.HostPath("c/proj/out.txt").c_str(), 0604), 0);
    auto staged = world.files.Stage("C:\\proj\\out.txt");
    EXPECT_TRUE(staged->TargetExisted()) << StagingWorld::Name(staging);
    staged->Write("ours");
    staged->Commit();
    EXPECT_EQ(world.tree.Read("c/proj/out.txt"), "ours") << StagingWorld::Name(staging);
    EXPECT_EQ(world.tree.List("c/proj"), std::vector<std::string>{"out.txt"})
        << StagingWorld::Name(staging);
    struct stat status {};
    ASSERT_EQ(stat(world.tree.HostPath("c/proj/out.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0604u) << StagingWorld::Name(staging);
  }
}

// A file made at its own name is removed when given up, but only while it is still the one there.
TEST(HostStagingTest, AGivenUpNewFileLeavesWhatAnotherProgramPutInItsPlace) {
  for (const bool replaced : {false, true}) {
    StagingWorld world(HostFileSystem::Staging::kUnnamedWhereSupported);
    {
      auto staged = world.files.Stage("C:\\proj\\out.txt");
      staged->Write("ours");
      if (replaced) {
        world.tree.Write("c/proj/theirs.txt", "theirs");
        ASSERT_EQ(rename(world.tree.HostPath("c/proj/theirs.txt").c_str(),
                         world.tree.HostPath("c/proj/out.txt").c_str()),
                  0);
      }
    }
    EXPECT_EQ(world.tree.List("c/proj"),
              replaced ? std::vector<std::string>{"out.txt"} : std::vector<std::string>{});
    if (replaced) {
      EXPECT_EQ(world.tree.Read("c/proj/out.txt"), "theirs");
    }
  }
}

TEST_F(HostFileSystemTest, TextReaderCarriesLinesAcrossItsReadPieces) {
  std::string content;
  std::vector<std::string> written;
  for (int number = 0; number < 30000; ++number) {
    written.push_back("line " + std::to_string(number) + std::string(number % 7, '\xE9'));
    content += written.back() + (number % 3 == 0 ? "\n" : "\r\n");
  }
  written.push_back(std::string(100000, 'x'));
  content += written.back();
  tree.Write("c/proj/long.txt", content);
  const auto reader = files.OpenText("C:\\proj\\long.txt");
  std::vector<std::string> read;
  while (auto line = reader->ReadLine()) read.push_back(*line);
  EXPECT_EQ(read, written);
  EXPECT_EQ(reader->ReadLine(), std::nullopt);
}

// A held listing spares the look at each file; Dir must answer as it does without one.
TEST_F(HostFileSystemTest, DirOfAPlainNameAnswersAlikeWithAndWithoutAHeldListing) {
  tree.Write("c/proj/Form1.frm", "x");
  tree.Write("c/proj/.hidden.bas", "x");
  tree.MakeDirectory("c/proj/Sub.frm");
  tree.MakeDirectory("c/proj/Folder");
  ASSERT_EQ(symlink("Folder", tree.HostPath("c/proj/Linked.frm").c_str()), 0);
  const struct {
    const char* pattern;
    int32_t mask;
    const char* found;
  } cases[] = {
      {"form1.FRM", fileattr::kNormal, "Form1.frm"},
      {".HIDDEN.bas", fileattr::kNormal, ""},
      {".HIDDEN.bas", fileattr::kHidden, ".hidden.bas"},
      {"sub.frm", fileattr::kHidden | fileattr::kSystem, ""},
      {"sub.frm", fileattr::kDirectory, "Sub.frm"},
      {"linked.frm", fileattr::kHidden, ""},
      {"Missing.frm", fileattr::kHidden, ""},
  };
  for (const bool held : {false, true}) {
    const auto hold = held ? files.HoldListings() : nullptr;
    for (const auto& c : cases) {
      EXPECT_EQ(files.FindFirst(std::string("C:\\proj\\") + c.pattern, c.mask), c.found)
          << c.pattern << (held ? " held" : "");
    }
  }
}

// The journal asks whether anything stands at each planned name, links to nothing included; a held
// listing answers most of those without a look at the disk, and must answer as the disk does.
TEST_F(HostFileSystemTest, AnEntryIsFoundAlikeWithAndWithoutAHeldListing) {
  tree.Write("c/proj/Form1.frm", "x");
  tree.Write("c/proj/.hidden.bas", "x");
  tree.MakeDirectory("c/proj/Folder");
  ASSERT_EQ(symlink("Folder", tree.HostPath("c/proj/Linked.frm").c_str()), 0);
  ASSERT_EQ(symlink("gone.frx", tree.HostPath("c/proj/Dangling.frx").c_str()), 0);
  const struct {
    const char* path;
    const char* found;
  } cases[] = {
      {"C:\\proj\\form1.FRM", "Form1.frm"},
      {"C:\\proj\\.HIDDEN.bas", ".hidden.bas"},
      {"C:\\proj\\folder", "Folder"},
      {"C:\\proj\\linked.frm", "Linked.frm"},
      {"C:\\proj\\DANGLING.frx", "Dangling.frx"},
      {"C:\\proj\\Missing.frm", ""},
      {"C:\\proj\\Gone\\x.bas", ""},
      {"Q:\\x.bas", ""},
  };
  for (const bool held : {false, true}) {
    const auto hold = held ? files.HoldListings() : nullptr;
    for (const auto& c : cases) {
      EXPECT_EQ(files.EntryName(c.path), c.found) << c.path << (held ? " held" : "");
    }
  }
}

// Name ... As answers as VB does: the missing source is the failure before anything about the
// target, an existing target is never replaced, and a change of letter case alone is a rename.
// The atomic replace of a finished file takes the target's place, and fails alike otherwise.
TEST_F(HostFileSystemTest, RenameFailsOnTheSourceFirstAndReplacesOnlyWhenAsked) {
  const struct {
    bool replace;
    const char* from;
    const char* to;
    int32_t failure;
    std::vector<std::string> after;
  } cases[] = {
      {false, "A.bas", "C.bas", 0, {"B.bas", "C.bas"}},
      {false, "A.bas", "a.BAS", 0, {"B.bas", "a.BAS"}},
      {false, "A.bas", "A.bas", 0, {"A.bas", "B.bas"}},
      {false, "A.bas", "B.bas", 58, {"A.bas", "B.bas"}},
      {false, "Gone.bas", "C.bas", 53, {"A.bas", "B.bas"}},
      {false, "Gone.bas", "B.bas", 53, {"A.bas", "B.bas"}},
      {false, "Gone.bas", "Gone.bas", 53, {"A.bas", "B.bas"}},
      {false, "A.bas", "Nowhere\\C.bas", 76, {"A.bas", "B.bas"}},
      {false, "Gone.bas", "Nowhere\\C.bas", 53, {"A.bas", "B.bas"}},
      {true, "A.bas", "B.bas", 0, {"B.bas"}},
      {true, "Gone.bas", "B.bas", 53, {"A.bas", "B.bas"}},
      {true, "A.bas", "Nowhere\\C.bas", 76, {"A.bas", "B.bas"}},
      {true, "Gone.bas", "Nowhere\\C.bas", 53, {"A.bas", "B.bas"}},
  };
  for (const auto& c : cases) {
    TempDir world;
    world.Write("c/proj/A.bas", "a");
    world.Write("c/proj/B.bas", "b");
    const PathMapper mapper(DriveCIn(world));
    HostFileSystem host(mapper);
    const std::string from = std::string("C:\\proj\\") + c.from;
    const std::string to = std::string("C:\\proj\\") + c.to;
    EXPECT_EQ(FailureOf([&] { c.replace ? host.Replace(from, to) : host.Rename(from, to); }),
              c.failure)
        << c.from << " " << c.to;
    EXPECT_EQ(world.List("c/proj"), c.after) << c.from << " " << c.to;
  }
}

// A file written under a hold tells its length from the write; it must be the length on disk,
// whichever way the file was made and whatever happened to its name since.
TEST(HostStagingTest, AFileWrittenUnderAHeldListingHasTheLengthItHasOnDisk) {
  for (const HostFileSystem::Staging staging : kStagings) {
    StagingWorld world(staging);
    world.tree.Write("c/proj/source.frx", RandomBytes(70000));
    world.tree.Write("c/proj/Old.bas", "an older and longer module");
    const auto hold = world.files.HoldListings();
    const auto write = [&](const std::string& name) {
      const auto staged = world.files.Stage("C:\\proj\\" + name);
      staged->Write("head");
      staged->CopyFrom("C:\\proj\\source.frx");
      staged->Commit();
    };
    write("New.frm");
    write("old.BAS");
    write("Moved.frm");
    world.files.Rename("C:\\proj\\Moved.frm", "C:\\proj\\There.frm");
    world.files.Delete("C:\\proj\\New.frm");
    write("New.frm");
    for (const char* name : {"New.frm", "Old.bas", "There.frm"}) {
      EXPECT_EQ(world.files.Length(std::string("C:\\proj\\") + name), 70004)
          << name << StagingWorld::Name(staging);
      EXPECT_EQ(std::filesystem::file_size(world.tree.HostPath(std::string("c/proj/") + name)),
                70004u)
          << name << StagingWorld::Name(staging);
    }
    EXPECT_EQ(FailureOf([&] { world.files.Length("C:\\proj\\Moved.frm"); }), 53)
        << StagingWorld::Name(staging);
  }
}

// Under a hold the folders of paths are mapped once and remembered; every shape of path must map
// as it does when each of its steps is read.
TEST_F(HostFileSystemTest, PathsMapAlikeWithAndWithoutAHeldListing) {
  tree.Write("c/proj/Form1.frm", "x");
  tree.Write("c/proj/Deep/Inner/m.bas", "x");
  tree.Write("c/Top.bas", "x");
  const char* const shapes[] = {
      "C:\\proj\\Form1.frm",
      "c:\\PROJ\\form1.FRM",
      "C:\\proj\\Deep\\..\\form1.frm",
      "C:\\proj\\form1.frm.",
      "C:\\proj. \\form1.frm",
      "C:form1.frm",
      "\\proj\\form1.frm",
      "form1.frm",
      "deep\\INNER\\M.bas",
      "C:\\top.bas",
      "C:\\missing\\x.bas",
      "C:\\proj\\Missing.frm",
      "C:\\proj\\\\Form1.frm",
      "C:\\proj\\..",
      "C:\\proj\\deep\\.",
  };
  std::vector<std::string> unheld;
  for (const char* shape : shapes) unheld.push_back(paths.ToHost(shape));
  const auto hold = files.HoldListings();
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < std::size(shapes); ++i) {
      EXPECT_EQ(paths.ToHost(shapes[i]), unheld[i]) << shapes[i] << " pass " << pass;
    }
  }
}

// A folder this process moves while the hold lasts is no longer where its old name leads.
TEST_F(HostFileSystemTest, AHeldFolderMovedByTheProcessIsMappedAnew) {
  tree.Write("c/proj/Data/a.bas", "x");
  const auto hold = files.HoldListings();
  EXPECT_EQ(paths.ToHost("C:\\proj\\data\\a.bas"), tree.HostPath("c/proj/Data/a.bas"));
  files.Rename("C:\\proj\\Data", "C:\\proj\\Moved");
  EXPECT_EQ(paths.ToHost("C:\\proj\\data\\a.bas"), tree.HostPath("c/proj/data/a.bas"));
  EXPECT_EQ(paths.ToHost("C:\\proj\\MOVED\\a.bas"), tree.HostPath("c/proj/Moved/a.bas"));
}

// Files of /proc call themselves empty and are not: such a file is read to its end.
TEST_F(HostFileSystemTest, TextReaderReadsAFileThatCallsItselfEmpty) {
  struct stat status {};
  ASSERT_EQ(stat("/proc/self/status", &status), 0);
  ASSERT_EQ(status.st_size, 0);
  const auto reader = files.OpenText("Z:\\proc\\self\\status");
  const auto first = reader->ReadLine();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->rfind("Name:", 0), 0u);
}

}  // namespace
}  // namespace zarvelin::host
