#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestBed.h"
#include "project/ProjectPaths.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using namespace ProjectPaths;

struct PathCase {
  std::string path;
  std::string expected;
};

class DirectoryPartTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DirectoryPartTest, EndsAtTheLastColonOrBeforeTheLastBackslash) {
  EXPECT_EQ(GetDirectoryPart(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DirectoryPartTest,
    ::testing::Values(PathCase{R"(C:\Projects\App\App.vbp)", R"(C:\Projects\App)"},
                      PathCase{R"(C:\App.vbp)", "C:"}, PathCase{"C:App.vbp", "C:"},
                      PathCase{"App.vbp", ""}, PathCase{R"(C:\Dir\)", R"(C:\Dir)"},
                      PathCase{R"(\\server\share\App.vbp)", R"(\\server\share)"},
                      PathCase{R"(\App.vbp)", ""}, PathCase{"", ""}));

class FileNameTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(FileNameTest, IsEverythingAfterTheLastBackslash) {
  const fakes::TestEnvironment env;
  EXPECT_EQ(GetFileName(GetParam().path), GetParam().expected);
  EXPECT_TRUE(env.Failures().empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, FileNameTest,
                         ::testing::Values(PathCase{R"(C:\Work\App\Main.frm)", "Main.frm"},
                                           PathCase{"Main.frm", "Main.frm"},
                                           PathCase{R"(Forms\Main.frm)", "Main.frm"},
                                           PathCase{R"(C:\Work\)", ""},
                                           PathCase{"C:App.frm", "C:App.frm"},
                                           PathCase{R"(\\A)", "A"}, PathCase{"", ""}));

struct ReducedCase {
  int16_t levels;
  std::string expected;
};

class ReducedPathTest : public ::testing::TestWithParam<ReducedCase> {};

TEST_P(ReducedPathTest, RemovesUpToTheNthSeparatorFromTheEnd) {
  const fakes::TestEnvironment env;
  EXPECT_EQ(GetReducedPath(R"(C:\A\B\C)", GetParam().levels), GetParam().expected);
  EXPECT_TRUE(env.Failures().empty());
}

INSTANTIATE_TEST_SUITE_P(Levels, ReducedPathTest,
                         ::testing::Values(ReducedCase{1, R"(C:\A\B)"}, ReducedCase{2, R"(C:\A)"},
                                           ReducedCase{3, "C:"}, ReducedCase{4, "C"},
                                           ReducedCase{5, ""}, ReducedCase{9, ""}));

struct FullPathCase {
  std::string projectDirectory;
  std::string componentPath;
  std::string expected;
};

class FullPathTest : public ::testing::TestWithParam<FullPathCase> {};

TEST_P(FullPathTest, ResolvesAgainstTheProjectDirectory) {
  const fakes::TestEnvironment env;
  EXPECT_EQ(GetFullPath(GetParam().projectDirectory, GetParam().componentPath),
            GetParam().expected);
  EXPECT_TRUE(env.Failures().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FullPathTest,
    ::testing::Values(FullPathCase{R"(C:\Work\App)", "Main.frm", R"(C:\Work\App)"},
                      FullPathCase{R"(C:\Work\App)", R"(Forms\Main.frm)", R"(C:\Work\App\Forms)"},
                      FullPathCase{R"(C:\Work\App)", R"(..\Shared\Util.bas)", R"(C:\Work\Shared)"},
                      FullPathCase{R"(C:\Work\App)", R"(..\..\Lib\Util.bas)", R"(C:\Lib)"},
                      FullPathCase{R"(C:\Work\App)", R"(\Lib\A.bas)", R"(C:\Work\App\\Lib)"},
                      FullPathCase{R"(C:\Work\App)", R"(Sub\..\A.frm)", R"(C:\Work\\..)"},
                      FullPathCase{R"(C:\App)", R"(..\..\A.frm)", "C"},
                      FullPathCase{R"(C:\App)", R"(..\..\..\A.frm)", ""},
                      FullPathCase{R"(C:\Work\App)", "C:App.frm", R"(C:\Work\App)"},
                      FullPathCase{R"(C:\Work\App)", R"(D:\Shared\Util.bas)", R"(D:\Shared)"},
                      FullPathCase{R"(C:\Work\App)", R"(D:\Util.bas)", "D:"},
                      FullPathCase{"C:", R"(Forms\Main.frm)", R"(C:\Forms)"}));

// Positions are held as 16-bit integers: the routine that meets one beyond 32767 fails with an
// overflow under its own name and returns an empty string.
struct OverflowCase {
  std::string label;
  std::function<std::string()> call;
  std::string procedure;
};

class PositionOverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(PositionOverflowTest, IsReportedUnderTheRoutineThatHoldsIt) {
  const fakes::TestEnvironment env;
  EXPECT_EQ(GetParam().call(), "");
  ASSERT_EQ(env.Failures().size(), 1u);
  EXPECT_EQ(env.Failures()[0].module, "cVBP");
  EXPECT_EQ(env.Failures()[0].procedure, GetParam().procedure);
  EXPECT_EQ(env.Failures()[0].number, vberr::kOverflow);
}

const std::string kLong(32768, 'a');

INSTANTIATE_TEST_SUITE_P(
    Routines, PositionOverflowTest,
    ::testing::Values(
        OverflowCase{"FileNameBackslashBeyond", [] { return GetFileName(kLong + R"(\A.frm)"); },
                     "GetFileName"},
        OverflowCase{"ReducedPathLongerThanHeld", [] { return GetReducedPath(kLong, 1); },
                     "GetReducedPath"},
        OverflowCase{"FullPathStepBeyond",
                     [] { return GetFullPath(R"(C:\W)", R"(A\)" + kLong + R"(..\A.frm)"); },
                     "GetFullPath"},
        OverflowCase{"FullPathDirectoryTooLong",
                     [] { return GetFullPath(R"(C:\W)", R"(A\)" + kLong); }, "GetFullPath"}),
    [](const auto& test) { return test.param.label; });

TEST(ProjectPathsTest, PositionsUpToTheLimitAreHeld) {
  const fakes::TestEnvironment env;
  const std::string longest(32766, 'd');
  EXPECT_EQ(GetFileName(longest + R"(\A.frm)"), "A.frm");
  const std::string shorter(32765, 'd');
  EXPECT_EQ(GetReducedPath(shorter + R"(\x)", 1), shorter);
  EXPECT_TRUE(env.Failures().empty());
}

TEST(ProjectPathsTest, DirectoryPartOfAnOverlongPathFailsToItsCaller) {
  try {
    GetDirectoryPart(std::string(32768, 'a'));
    ADD_FAILURE() << "no failure";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kOverflow);
  }
}

}  // namespace
}  // namespace zarvelin
