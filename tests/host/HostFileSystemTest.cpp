#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <csignal>
#include <ctime>
#include <functional>
#include <random>

#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

using fakes::FailureOf;
using fakes::TempDir;

class HostFileSystemTest : public testing::Test {
 protected:
  HostFileSystemTest() : paths(Config(tree)), files(paths) { tree.MakeDirectory("c/proj"); }

  static PathMapperConfig Config(const TempDir& tree) {
    PathMapperConfig config;
    config.drives = {{'C', tree.HostPath("c")}};
    config.workingDirectory = "C:\\proj";
    return config;
  }

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

TEST_F(HostFileSystemTest, CopyStreamsEveryByteAndReplacesTheTarget) {
  const std::string large = RandomBytes(3 * 64 * 1024 + 17);
  tree.Write("c/proj/App.RES", large);
  tree.Write("c/copy/app.res", "old");
  files.Copy("C:\\proj\\app.res", "C:\\copy\\app.res");
  EXPECT_EQ(tree.Read("c/copy/app.res"), large);
  EXPECT_EQ(tree.List("c/copy").size(), 1u);

  files.Copy("C:\\proj\\App.RES", "C:\\copy\\New Name.res");
  EXPECT_EQ(tree.Read("c/copy/New Name.res"), large);

  const std::string longest(250, 'n');
  files.Copy("C:\\proj\\App.RES", "C:\\copy\\" + longest);
  EXPECT_EQ(tree.Read("c/copy/" + longest), large);
  EXPECT_EQ(tree.List("c/copy").size(), 3u);
}

TEST_F(HostFileSystemTest, CopyOntoItselfFailsAndTouchesNothing) {
  tree.Write("c/proj/Doc.txt", "precious");
  ASSERT_EQ(
      symlink(tree.HostPath("c/proj/Doc.txt").c_str(), tree.HostPath("c/proj/link.txt").c_str()),
      0);
  ASSERT_EQ(link(tree.HostPath("c/proj/Doc.txt").c_str(), tree.HostPath("c/proj/hard.txt").c_str()),
            0);
  const char* targets[] = {"C:\\proj\\Doc.txt", "c:\\PROJ\\doc.TXT",  "C:\\proj\\..\\proj\\Doc.txt",
                           "Doc.txt",           "C:\\proj\\link.txt", "C:\\proj\\hard.txt"};
  for (const char* target : targets) {
    EXPECT_EQ(FailureOf([&] { files.Copy("C:\\proj\\Doc.txt", target); }),
              vberr::kPathFileAccessError)
        << target;
    EXPECT_EQ(tree.Read("c/proj/Doc.txt"), "precious") << target;
    EXPECT_EQ(tree.List("c/proj").size(), 3u) << target;
  }
}

TEST_F(HostFileSystemTest, CopyKeepsTheSourcesPermissionsAndRefusesAReadOnlyTarget) {
  tree.Write("c/proj/a.txt", "new");
  tree.MakeDirectory("c/copy");
  ASSERT_EQ(chmod(tree.HostPath("c/proj/a.txt").c_str(), 0640), 0);
  files.Copy("C:\\proj\\a.txt", "C:\\copy\\a.txt");
  struct stat status {};
  ASSERT_EQ(stat(tree.HostPath("c/copy/a.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);

  tree.Write("c/copy/b.txt", "old");
  ASSERT_EQ(chmod(tree.HostPath("c/copy/b.txt").c_str(), 0444), 0);
  EXPECT_EQ(FailureOf([&] { files.Copy("C:\\proj\\a.txt", "C:\\copy\\b.txt"); }),
            vberr::kPathFileAccessError);
  EXPECT_EQ(tree.Read("c/copy/b.txt"), "old");
}

TEST_F(HostFileSystemTest, FailedCopiesNameTheirCauseAndLeaveNoTemporary) {
  tree.Write("c/proj/a.txt", "a");
  tree.Write("c/copy/keep.txt", "keep");
  tree.MakeDirectory("c/copy/dir");
  const struct {
    const char* source;
    const char* target;
    int32_t number;
  } cases[] = {
      {"C:\\proj\\missing.txt", "C:\\copy\\x.txt", vberr::kFileNotFound},
      {"C:\\nowhere\\a.txt", "C:\\copy\\x.txt", vberr::kPathNotFound},
      {"C:\\proj\\a.txt", "C:\\nowhere\\x.txt", vberr::kPathNotFound},
      {"C:\\proj", "C:\\copy\\x.txt", vberr::kPathFileAccessError},
      {"C:\\proj\\a.txt", "C:\\copy\\dir", vberr::kPathFileAccessError},
      {"C:\\proj\\a.txt", "C:\\copy\\..\\..\\etc/passwd", vberr::kBadFileNameOrNumber},
      {"C:\\proj\\a.txt", "Q:\\x.txt", vberr::kPathNotFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FailureOf([&] { files.Copy(c.source, c.target); }), c.number)
        << c.source << " -> " << c.target;
  }
  EXPECT_EQ(tree.List("c/copy").size(), 2u);
  EXPECT_EQ(tree.Read("c/copy/keep.txt"), "keep");
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

TEST_F(HostFileSystemTest, ACopyThatRunsOutOfRoomLeavesTheTargetAsItWas) {
  tree.Write("c/proj/big.res", RandomBytes(256 * 1024));
  tree.Write("c/copy/big.res", "previous copy");
  {
    const FileSizeLimit limit(100 * 1024);
    EXPECT_EQ(FailureOf([&] { files.Copy("C:\\proj\\big.res", "C:\\copy\\big.res"); }),
              vberr::kDiskFull);
  }
  EXPECT_EQ(tree.Read("c/copy/big.res"), "previous copy");
  EXPECT_EQ(tree.List("c/copy").size(), 1u);
}

TEST_F(HostFileSystemTest, AWriterThatRunsOutOfRoomFailsNoLaterThanClose) {
  const FileSizeLimit limit(1024);
  auto writer = files.CreateText("C:\\proj\\out.txt");
  EXPECT_EQ(FailureOf([&] {
              for (int line = 0; line < 100; ++line) writer->WriteLine(std::string(50, 'x'));
              writer->Close();
            }),
            vberr::kDiskFull);
}

TEST_F(HostFileSystemTest, DeleteRemovesAFile) {
  tree.Write("c/proj/Old.bak", "x");
  files.Delete("C:\\proj\\old.BAK");
  EXPECT_FALSE(tree.Exists("c/proj/Old.bak"));
  EXPECT_EQ(FailureOf([&] { files.Delete("C:\\proj\\old.bak"); }), vberr::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { files.Delete("C:\\gone\\old.bak"); }), vberr::kPathNotFound);
}

TEST_F(HostFileSystemTest, RenameNeverReplaces) {
  tree.Write("c/proj/a.txt", "a");
  tree.Write("c/proj/b.txt", "b");
  EXPECT_EQ(FailureOf([&] { files.Rename("C:\\proj\\a.txt", "C:\\proj\\B.TXT"); }),
            vberr::kFileAlreadyExists);
  EXPECT_EQ(tree.Read("c/proj/a.txt"), "a");
  EXPECT_EQ(tree.Read("c/proj/b.txt"), "b");
  EXPECT_EQ(FailureOf([&] { files.Rename("C:\\proj\\none.txt", "C:\\proj\\c.txt"); }),
            vberr::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { files.Rename("C:\\proj\\a.txt", "C:\\none\\c.txt"); }),
            vberr::kPathNotFound);

  files.Rename("C:\\proj\\A.txt", "C:\\proj\\c.txt");
  EXPECT_FALSE(tree.Exists("c/proj/a.txt"));
  EXPECT_EQ(tree.Read("c/proj/c.txt"), "a");
}

TEST_F(HostFileSystemTest, RenameCanChangeLetterCaseAlone) {
  tree.Write("c/proj/form1.frm", "f");
  files.Rename("C:\\proj\\form1.frm", "C:\\proj\\Form1.FRM");
  EXPECT_EQ(tree.Read("c/proj/Form1.FRM"), "f");
  EXPECT_FALSE(tree.Exists("c/proj/form1.frm"));
}

TEST_F(HostFileSystemTest, ReplaceRenamesOverTheTarget) {
  tree.Write("c/proj/App.vbp.new", "new");
  tree.Write("c/proj/App.vbp", "old");
  files.Replace("C:\\proj\\App.vbp.new", "C:\\proj\\app.VBP");
  EXPECT_EQ(tree.Read("c/proj/App.vbp"), "new");
  EXPECT_FALSE(tree.Exists("c/proj/App.vbp.new"));
  EXPECT_EQ(FailureOf([&] { files.Replace("C:\\proj\\App.vbp.new", "C:\\proj\\App.vbp"); }),
            vberr::kFileNotFound);
  EXPECT_EQ(tree.Read("c/proj/App.vbp"), "new");
}

TEST_F(HostFileSystemTest, NamesFoundByLetterCaseFollowTheProgramsOwnChanges) {
  const struct {
    const char* change;
    std::function<void(HostFileSystem&)> apply;
    std::string vbPath;
    std::string host;
  } cases[] = {
      {"copy", [](HostFileSystem& f) { f.Copy("C:\\proj\\A.txt", "C:\\proj\\Copy.txt"); },
       "C:\\proj\\COPY.TXT", "c/proj/Copy.txt"},
      {"text", [](HostFileSystem& f) { f.CreateText("C:\\proj\\Text.txt")->Close(); },
       "C:\\proj\\text.TXT", "c/proj/Text.txt"},
      {"append", [](HostFileSystem& f) { f.AppendText("C:\\proj\\Log.txt", "x"); },
       "C:\\proj\\LOG.txt", "c/proj/Log.txt"},
      {"directory", [](HostFileSystem& f) { f.MakeDirectory("C:\\proj\\Sub"); }, "C:\\proj\\SUB\\x",
       "c/proj/Sub/x"},
      {"delete", [](HostFileSystem& f) { f.Delete("C:\\proj\\a.txt"); }, "C:\\proj\\A.TXT",
       "c/proj/A.TXT"},
      {"delete a twin", [](HostFileSystem& f) { f.Delete("C:\\proj\\B.txt"); }, "C:\\proj\\b.TXT",
       "c/proj/b.txt"},
      {"rename", [](HostFileSystem& f) { f.Rename("C:\\proj\\a.txt", "C:\\proj\\New.txt"); },
       "C:\\proj\\a.TXT", "c/proj/a.TXT"},
      {"renamed", [](HostFileSystem& f) { f.Rename("C:\\proj\\a.txt", "C:\\proj\\New.txt"); },
       "C:\\proj\\NEW.TXT", "c/proj/New.txt"},
      {"letter case", [](HostFileSystem& f) { f.Rename("C:\\proj\\a.txt", "C:\\proj\\a.TxT"); },
       "C:\\proj\\A.TXT", "c/proj/a.TxT"},
      {"across", [](HostFileSystem& f) { f.Rename("C:\\proj\\a.txt", "C:\\other\\Moved.txt"); },
       "C:\\other\\MOVED.TXT", "c/other/Moved.txt"},
      {"replace", [](HostFileSystem& f) { f.Replace("C:\\proj\\a.txt", "C:\\proj\\Over.txt"); },
       "C:\\proj\\A.TXT", "c/proj/A.TXT"},
  };
  for (const auto& c : cases) {
    TempDir scratch;
    scratch.Write("c/proj/A.txt", "a");
    scratch.Write("c/proj/B.txt", "b");
    scratch.Write("c/proj/b.txt", "b");
    scratch.MakeDirectory("c/other");
    const PathMapper mapper(Config(scratch));
    HostFileSystem host(mapper);
    // Both directories' listings are taken before the change.
    ASSERT_EQ(mapper.ToHost("C:\\proj\\a.TXT"), scratch.HostPath("c/proj/A.txt"));
    ASSERT_EQ(mapper.ToHost("C:\\other\\none"), scratch.HostPath("c/other/none"));
    c.apply(host);
    EXPECT_EQ(mapper.ToHost(c.vbPath), scratch.HostPath(c.host)) << c.change;
  }
}

TEST_F(HostFileSystemTest, AttributesFollowTheRunTimesBits) {
  tree.Write("c/proj/plain.txt", "x");
  tree.Write("c/proj/locked.txt", "x");
  tree.Write("c/proj/.hidden", "x");
  tree.MakeDirectory("c/proj/Sub");
  ASSERT_EQ(chmod(tree.HostPath("c/proj/locked.txt").c_str(), 0444), 0);
  const struct {
    const char* path;
    int32_t attributes;
  } cases[] = {
      {"C:\\proj\\PLAIN.txt", fileattr::kArchive},
      {"C:\\proj\\locked.txt", fileattr::kArchive | fileattr::kReadOnly},
      {"C:\\proj\\.hidden", fileattr::kArchive | fileattr::kHidden},
      {"C:\\proj\\sub", fileattr::kDirectory},
      {"C:\\proj\\sub\\", fileattr::kDirectory},
      {"C:\\", fileattr::kDirectory},
  };
  for (const auto& c : cases) EXPECT_EQ(files.Attributes(c.path), c.attributes) << c.path;
  EXPECT_EQ(FailureOf([&] { files.Attributes("C:\\proj\\none"); }), vberr::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { files.Attributes("C:\\none\\none"); }), vberr::kPathNotFound);
  EXPECT_EQ(FailureOf([&] { files.Attributes("C:\\proj\\plain.txt\\x"); }), vberr::kPathNotFound);
}

TEST_F(HostFileSystemTest, LastModifiedIsLocalTime) {
  tree.Write("c/proj/a.txt", "x");
  const DateTime when{2021, 3, 4, 5, 6, 7};
  std::tm local{};
  local.tm_year = when.year - 1900;
  local.tm_mon = when.month - 1;
  local.tm_mday = when.day;
  local.tm_hour = when.hour;
  local.tm_min = when.minute;
  local.tm_sec = when.second;
  local.tm_isdst = -1;
  const utimbuf times{mktime(&local), mktime(&local)};
  ASSERT_EQ(utime(tree.HostPath("c/proj/a.txt").c_str(), &times), 0);
  EXPECT_EQ(files.LastModified("C:\\proj\\A.TXT"), when);
  EXPECT_EQ(FailureOf([&] { files.LastModified("C:\\proj\\b.txt"); }), vberr::kFileNotFound);
}

TEST_F(HostFileSystemTest, FindFirstMatchesPatternsAndMasks) {
  tree.Write("c/proj/Form1.frm", "x");
  tree.Write("c/proj/Module1.BAS", "x");
  tree.Write("c/proj/.hidden.frm", "x");
  tree.Write("c/proj/readme", "x");
  tree.MakeDirectory("c/proj/Sub");
  tree.MakeDirectory("c/work");
  const struct {
    const char* pattern;
    int32_t mask;
    const char* found;
  } cases[] = {
      {"C:\\proj\\*.FRM", fileattr::kNormal, "Form1.frm"},
      {"C:\\proj\\*.bas", fileattr::kNormal, "Module1.BAS"},
      {"C:\\proj\\*.*", fileattr::kNormal, "Form1.frm"},
      {"C:\\proj\\*.*", fileattr::kHidden, ".hidden.frm"},
      {"C:\\proj\\form?.frm", fileattr::kNormal, "Form1.frm"},
      {"C:\\proj\\form?.frm", fileattr::kReadOnly, "Form1.frm"},
      {"C:\\proj\\FORM1.FRM", fileattr::kNormal, "Form1.frm"},
      {"C:\\proj\\readme.*", fileattr::kNormal, "readme"},
      {"C:\\proj\\S*", fileattr::kNormal, ""},
      {"C:\\proj\\S*", fileattr::kDirectory, "Sub"},
      {"C:\\proj\\sub", fileattr::kNormal, ""},
      {"C:\\proj\\sub", fileattr::kDirectory, "Sub"},
      {"C:\\proj\\*", fileattr::kDirectory, "."},
      {"C:\\*", fileattr::kDirectory, "proj"},
      {"*.bas", fileattr::kNormal, "Module1.BAS"},
      {"C:\\proj\\", fileattr::kNormal, "Form1.frm"},
      {"C:\\proj\\*.vbp", fileattr::kNormal, ""},
      {"C:\\missing\\*.*", fileattr::kNormal, ""},
      {"Q:\\*.*", fileattr::kNormal, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files.FindFirst(c.pattern, c.mask), c.found) << c.pattern << " mask " << c.mask;
  }
}

TEST_F(HostFileSystemTest, CreateDirectoryAnswersLikeMkDir) {
  files.MakeDirectory("C:\\proj\\New");
  EXPECT_EQ(files.Attributes("C:\\proj\\new"), fileattr::kDirectory);
  EXPECT_EQ(FailureOf([&] { files.MakeDirectory("C:\\proj\\NEW"); }), vberr::kPathFileAccessError);
  EXPECT_EQ(FailureOf([&] { files.MakeDirectory("C:\\none\\New"); }), vberr::kPathNotFound);
}

TEST_F(HostFileSystemTest, SameFileComparesFilesNotSpellings) {
  tree.Write("c/proj/a.txt", "a");
  tree.Write("c/proj/b.txt", "a");
  ASSERT_EQ(symlink(tree.HostPath("c/proj/a.txt").c_str(), tree.HostPath("c/proj/l.txt").c_str()),
            0);
  const struct {
    const char* first;
    const char* second;
    bool same;
  } cases[] = {
      {"C:\\proj\\a.txt", "c:\\PROJ\\A.TXT", true},  {"C:\\proj\\a.txt", "a.txt", true},
      {"C:\\proj\\a.txt", "C:\\proj\\l.txt", true},  {"C:\\proj\\a.txt", "C:\\proj\\b.txt", false},
      {"C:\\proj\\x.txt", "C:\\proj\\x.txt", false}, {"C:\\proj\\a.txt", "C:\\a/b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files.SameFile(c.first, c.second), c.same) << c.first << " " << c.second;
  }
}

TEST_F(HostFileSystemTest, TextFilesReadAndWriteLines) {
  tree.Write("c/proj/in.txt", "one\r\ntwo\nthree\rfour");
  const auto reader = files.OpenText("C:\\proj\\IN.TXT");
  std::vector<std::string> lines;
  while (auto line = reader->ReadLine()) lines.push_back(*line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));

  tree.Write("c/proj/out.txt", "something longer that must go");
  auto writer = files.CreateText("C:\\proj\\out.txt");
  writer->WriteLine("first");
  writer->WriteLine("");
  writer->WriteLine("\xC9t\xE9");
  writer->Close();
  EXPECT_EQ(tree.Read("c/proj/out.txt"), "first\r\n\r\n\xC9t\xE9\r\n");
  EXPECT_EQ(FailureOf([&] { writer->WriteLine("late"); }), vberr::kBadFileNameOrNumber);
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

TEST_F(HostFileSystemTest, TextFilesFailWithTheRunTimesNumbers) {
  tree.MakeDirectory("c/proj/dir");
  const struct {
    const char* what;
    std::function<void()> action;
    int32_t number;
  } cases[] = {
      {"open missing", [&] { files.OpenText("C:\\proj\\none.txt"); }, vberr::kFileNotFound},
      {"open in missing directory", [&] { files.OpenText("C:\\none\\a.txt"); },
       vberr::kPathNotFound},
      {"open directory", [&] { files.OpenText("C:\\proj\\dir"); }, vberr::kPathFileAccessError},
      {"create directory", [&] { files.CreateText("C:\\proj\\dir"); }, vberr::kPathFileAccessError},
      {"create in missing directory", [&] { files.CreateText("C:\\none\\a.txt"); },
       vberr::kPathNotFound},
      {"append in missing directory", [&] { files.AppendText("C:\\none\\a.log", "x"); },
       vberr::kPathNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.action), c.number) << c.what;
}

TEST_F(HostFileSystemTest, AppendCreatesAndNeverOverwrites) {
  files.AppendText("C:\\proj\\Error.log", "\r\nfirst\r\n");
  files.AppendText("C:\\proj\\error.LOG", "second");
  EXPECT_EQ(tree.Read("c/proj/Error.log"), "\r\nfirst\r\nsecond");
}

// Sets the immutable flag (chattr +i) for a scope: even root may then not change the file.
class Immutable {
 public:
  explicit Immutable(const std::string& hostPath) : descriptor_(open(hostPath.c_str(), O_RDONLY)) {
    int flags = 0;
    set_ = descriptor_ >= 0 && ioctl(descriptor_, FS_IOC_GETFLAGS, &flags) == 0 &&
           (flags |= FS_IMMUTABLE_FL, ioctl(descriptor_, FS_IOC_SETFLAGS, &flags) == 0);
  }
  ~Immutable() {
    int flags = 0;
    if (set_ && ioctl(descriptor_, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_IMMUTABLE_FL;
      ioctl(descriptor_, FS_IOC_SETFLAGS, &flags);
    }
    if (descriptor_ >= 0) close(descriptor_);
  }
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool IsSet() const { return set_; }

 private:
  int descriptor_;
  bool set_ = false;
};

TEST_F(HostFileSystemTest, ProtectedFileIsPermissionDenied) {
  tree.Write("c/proj/locked.log", "kept");
  const Immutable immutable(tree.HostPath("c/proj/locked.log"));
  if (!immutable.IsSet()) GTEST_SKIP() << "this file system or user cannot set chattr +i";
  const struct {
    const char* what;
    std::function<void()> action;
  } cases[] = {
      {"create", [&] { files.CreateText("C:\\proj\\locked.log"); }},
      {"append", [&] { files.AppendText("C:\\proj\\locked.log", "x"); }},
      {"delete", [&] { files.Delete("C:\\proj\\locked.log"); }},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.action), vberr::kPermissionDenied) << c.what;
  EXPECT_EQ(tree.Read("c/proj/locked.log"), "kept");
}

TEST_F(HostFileSystemTest, UnreadableFileIsPermissionDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file; the errno table is tested alone";
  tree.Write("c/proj/secret.txt", "x");
  ASSERT_EQ(chmod(tree.HostPath("c/proj/secret.txt").c_str(), 0), 0);
  EXPECT_EQ(FailureOf([&] { files.OpenText("C:\\proj\\secret.txt"); }), vberr::kPermissionDenied);
}

}  // namespace
}  // namespace zarvelin::host
