#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ProjectTestBed.h"
#include "project/ProjectPaths.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

using namespace ProjectPaths;

TEST(ProjectPathsTest, DirectoryPartOfAnOverlongPathFailsToItsCaller) {
  try {
    GetDirectoryPart(std::string(32768, 'a'));
    ADD_FAILURE() << "no failure";
  } catch (const VbError& error) {
    EXPECT_EQ(error.Number(), vberr::kOverflow);
  }
}

// GetDirectoryPart passes its failures to its caller. The other routines trap: positions are
// held as 16-bit integers, so the routine that meets one beyond 32767 reports an overflow under
// its own name and returns an empty string.
struct RoutineCase {
  std::string label;
  std::function<std::string()> call;
  std::string expected;
  Reports reports = {};
};

class PathRoutineTest : public ProjectTestBed, public ::testing::WithParamInterface<RoutineCase> {};

TEST_P(PathRoutineTest, GivesThePartOfThePath) {
  EXPECT_EQ(GetParam().call(), GetParam().expected);
  EXPECT_EQ(Reported(), GetParam().reports);
}

std::function<std::string()> Directory(std::string path) {
  return [path] { return GetDirectoryPart(path); };
}
std::function<std::string()> FileName(std::string path) {
  return [path] { return GetFileName(path); };
}
std::function<std::string()> Reduced(std::string path, int16_t levels) {
  return [path, levels] { return GetReducedPath(path, levels); };
}
std::function<std::string()> Full(std::string directory, std::string component) {
  return [directory, component] { return GetFullPath(directory, component); };
}

const std::string kLong(32768, 'a');
const std::string kApp = R"(C:\Work\App)";

INSTANTIATE_TEST_SUITE_P(
    Paths, PathRoutineTest,
    ::testing::Values(
        RoutineCase{"Directory", Directory(R"(C:\Projects\App\App.vbp)"), R"(C:\Projects\App)"},
        RoutineCase{"DirectoryDriveRoot", Directory(R"(C:\App.vbp)"), "C:"},
        RoutineCase{"DirectoryDriveRelative", Directory("C:App.vbp"), "C:"},
        RoutineCase{"DirectoryNone", Directory("App.vbp"), ""},
        RoutineCase{"DirectoryOfADirectory", Directory(R"(C:\Dir\)"), R"(C:\Dir)"},
        RoutineCase{"DirectoryUnc", Directory(R"(\\server\share\App.vbp)"), R"(\\server\share)"},
        RoutineCase{"DirectoryRootRelative", Directory(R"(\App.vbp)"), ""},
        RoutineCase{"DirectoryEmpty", Directory(""), ""},
        RoutineCase{"FileName", FileName(R"(C:\Work\App\Main.frm)"), "Main.frm"},
        RoutineCase{"FileNameAlone", FileName("Main.frm"), "Main.frm"},
        RoutineCase{"FileNameRelative", FileName(R"(Forms\Main.frm)"), "Main.frm"},
        RoutineCase{"FileNameOfADirectory", FileName(R"(C:\Work\)"), ""},
        RoutineCase{"FileNameKeepsTheDrive", FileName("C:App.frm"), "C:App.frm"},
        RoutineCase{"FileNameOfUnc", FileName(R"(\\A)"), "A"},
        RoutineCase{"FileNameEmpty", FileName(""), ""},
        RoutineCase{"FileNameAtTheLimit", FileName(std::string(32766, 'd') + R"(\A.frm)"), "A.frm"},
        RoutineCase{
            "FileNameBackslashBeyond", FileName(kLong + R"(\A.frm)"), "", {"cVBP.GetFileName 6"}},
        RoutineCase{"ReducedOne", Reduced(R"(C:\A\B\C)", 1), R"(C:\A\B)"},
        RoutineCase{"ReducedTwo", Reduced(R"(C:\A\B\C)", 2), R"(C:\A)"},
        RoutineCase{"ReducedToDrive", Reduced(R"(C:\A\B\C)", 3), "C:"},
        RoutineCase{"ReducedPastTheColon", Reduced(R"(C:\A\B\C)", 4), "C"},
        RoutineCase{"ReducedToNothing", Reduced(R"(C:\A\B\C)", 5), ""},
        RoutineCase{"ReducedBeyond", Reduced(R"(C:\A\B\C)", 9), ""},
        RoutineCase{"ReducedAtTheLimit", Reduced(std::string(32765, 'd') + R"(\x)", 1),
                    std::string(32765, 'd')},
        RoutineCase{"ReducedLongerThanHeld", Reduced(kLong, 1), "", {"cVBP.GetReducedPath 6"}},
        RoutineCase{"FullBeside", Full(kApp, "Main.frm"), kApp},
        RoutineCase{"FullBelow", Full(kApp, R"(Forms\Main.frm)"), R"(C:\Work\App\Forms)"},
        RoutineCase{"FullAbove", Full(kApp, R"(..\Shared\Util.bas)"), R"(C:\Work\Shared)"},
        RoutineCase{"FullTwoAbove", Full(kApp, R"(..\..\Lib\Util.bas)"), R"(C:\Lib)"},
        RoutineCase{"FullLeadingBackslash", Full(kApp, R"(\Lib\A.bas)"), R"(C:\Work\App\\Lib)"},
        RoutineCase{"FullStepUpInside", Full(kApp, R"(Sub\..\A.frm)"), R"(C:\Work\\..)"},
        RoutineCase{"FullIntoTheDrive", Full(R"(C:\App)", R"(..\..\A.frm)"), "C"},
        RoutineCase{"FullPastTheDrive", Full(R"(C:\App)", R"(..\..\..\A.frm)"), ""},
        RoutineCase{"FullDriveRelative", Full(kApp, "C:App.frm"), kApp},
        RoutineCase{"FullOtherDrive", Full(kApp, R"(D:\Shared\Util.bas)"), R"(D:\Shared)"},
        RoutineCase{"FullOtherDriveRoot", Full(kApp, R"(D:\Util.bas)"), "D:"},
        RoutineCase{"FullFromTheRoot", Full("C:", R"(Forms\Main.frm)"), R"(C:\Forms)"},
        RoutineCase{"FullStepBeyond",
                    Full(R"(C:\W)", R"(A\)" + kLong + R"(..\A.frm)"),
                    "",
                    {"cVBP.GetFullPath 6"}},
        RoutineCase{
            "FullDirectoryTooLong", Full(R"(C:\W)", R"(A\)" + kLong), "", {"cVBP.GetFullPath 6"}}),
    [](const auto& test) { return test.param.label; });

}  // namespace
}  // namespace zarvelin
