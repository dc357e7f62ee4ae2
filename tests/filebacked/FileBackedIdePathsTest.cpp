#include <gtest/gtest.h>

#include <string>

#include "filebacked/FileBackedIdePaths.h"
#include "runtime/Strings.h"

namespace zarvelin::filebacked {
namespace {

struct ResolveCase {
  std::string base;
  std::string written;
  std::string expected;
};

class ResolvePathTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolvePathTest, ReadsPathsAsVbDoes) {
  EXPECT_EQ(ResolvePath(GetParam().base, GetParam().written), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ProjectLines, ResolvePathTest,
    ::testing::Values(
        ResolveCase{"C:\\Work\\App", "Main.frm", "C:\\Work\\App\\Main.frm"},
        ResolveCase{"C:\\Work\\App", "Forms\\Main.frm", "C:\\Work\\App\\Forms\\Main.frm"},
        ResolveCase{"C:\\Work\\App", "..\\Shared\\Util.bas", "C:\\Work\\Shared\\Util.bas"},
        ResolveCase{"C:\\Work\\App", "..\\..\\Lib\\Util.bas", "C:\\Lib\\Util.bas"},
        // More steps up than there are folders stop at the drive's root.
        ResolveCase{"C:\\App", "..\\..\\..\\A.frm", "C:\\A.frm"},
        ResolveCase{"C:\\Work\\App", "D:\\Shared\\Util.bas", "D:\\Shared\\Util.bas"},
        ResolveCase{"C:\\Work\\App", "\\\\server\\share\\Docs\\Design.doc",
                    "\\\\server\\share\\Docs\\Design.doc"},
        ResolveCase{"\\\\server\\share\\App", "..\\..\\Up.bas", "\\\\server\\share\\Up.bas"},
        ResolveCase{"C:\\Work\\App", "\\Lib\\A.bas", "C:\\Lib\\A.bas"},
        ResolveCase{"C:\\Work\\App", "Sub\\..\\.\\A.frm", "C:\\Work\\App\\A.frm"},
        ResolveCase{"C:", "Main.frm", "C:\\Main.frm"}, ResolveCase{"", "Main.frm", "Main.frm"},
        ResolveCase{"Proj", "..\\..\\A.bas", "..\\A.bas"}));

struct RelativeCase {
  std::string from;
  std::string target;
  std::string expected;
};

class RelativePathTest : public ::testing::TestWithParam<RelativeCase> {};

TEST_P(RelativePathTest, WritesPathsAsVbDoes) {
  const RelativeCase& c = GetParam();
  const std::string relative = RelativePath(c.from, c.target);
  EXPECT_EQ(relative, c.expected);
  // Whatever is written must lead back to the same file when read from the same place.
  EXPECT_TRUE(EqualNoCase(ResolvePath(c.from, relative), ResolvePath("", c.target))) << relative;
}

INSTANTIATE_TEST_SUITE_P(
    ProjectLines, RelativePathTest,
    ::testing::Values(
        RelativeCase{"C:\\Copy", "C:\\Copy\\Main.frm", "Main.frm"},
        RelativeCase{"C:\\Copy", "C:\\Copy\\Forms\\Main.frm", "Forms\\Main.frm"},
        RelativeCase{"C:\\Copy\\App", "C:\\Copy\\Shared\\Util.bas", "..\\Shared\\Util.bas"},
        RelativeCase{"C:\\Copy\\App\\Deep", "C:\\Lib\\Util.bas", "..\\..\\..\\Lib\\Util.bas"},
        // Folder names differ only in letter case: still the same folder.
        RelativeCase{"C:\\copy\\APP", "C:\\Copy\\App\\Main.frm", "Main.frm"},
        RelativeCase{"C:\\Copy", "D:\\Shared\\Util.bas", "D:\\Shared\\Util.bas"},
        RelativeCase{"C:\\Copy", "\\\\server\\share\\Design.doc", "\\\\server\\share\\Design.doc"},
        RelativeCase{"C:", "C:\\Main.frm", "Main.frm"},
        RelativeCase{"C:", "C:\\Sub\\Main.frm", "Sub\\Main.frm"}));

struct NamePartsCase {
  std::string path;
  std::string directory;
  std::string fileName;
  std::string baseName;
  std::string extension;
};

class NamePartsTest : public ::testing::TestWithParam<NamePartsCase> {};

TEST_P(NamePartsTest, SplitsAtTheLastBackslashAndDot) {
  const NamePartsCase& c = GetParam();
  EXPECT_EQ(DirectoryOf(c.path), c.directory);
  EXPECT_EQ(FileNameOf(c.path), c.fileName);
  EXPECT_EQ(BaseNameOf(c.fileName), c.baseName);
  EXPECT_EQ(ExtensionOf(c.fileName), c.extension);
  EXPECT_EQ(JoinPath(c.directory, c.fileName), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NamePartsTest,
    ::testing::Values(NamePartsCase{"C:\\Work\\App.vbp", "C:\\Work", "App.vbp", "App", "vbp"},
                      NamePartsCase{"C:\\App.vbp", "C:", "App.vbp", "App", "vbp"},
                      NamePartsCase{"App.vbp", "", "App.vbp", "App", "vbp"},
                      NamePartsCase{"C:\\A.b\\Read me", "C:\\A.b", "Read me", "Read me", ""},
                      NamePartsCase{"D:\\x\\my.form.frm", "D:\\x", "my.form.frm", "my.form",
                                    "frm"}));

struct DownwardCase {
  std::string path;
  bool downward;
};

class DownwardPathTest : public ::testing::TestWithParam<DownwardCase> {};

TEST_P(DownwardPathTest, OnlyPathsThatStayBelowCount) {
  EXPECT_EQ(IsDownwardPath(GetParam().path), GetParam().downward);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DownwardPathTest,
    ::testing::Values(DownwardCase{"", true}, DownwardCase{"Res", true},
                      DownwardCase{"Res\\Pics", true}, DownwardCase{"..\\Res", false},
                      DownwardCase{"Res\\..\\..", false}, DownwardCase{"C:\\Res", false},
                      DownwardCase{"\\Res", false}, DownwardCase{"\\\\server\\share", false}));

}  // namespace
}  // namespace zarvelin::filebacked
