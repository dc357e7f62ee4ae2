#include <gtest/gtest.h>

#include <string>

#include "ui/ShortPath.h"

namespace zarvelin {
namespace {

struct ShortPathCase {
  const char* name;
  std::string path;
  int32_t maxLen;
  std::string expected;
};

class ShortPathTest : public ::testing::TestWithParam<ShortPathCase> {};

TEST_P(ShortPathTest, ShortensByWholeDirectories) {
  const ShortPathCase& c = GetParam();
  EXPECT_EQ(ShortPath(c.path, c.maxLen), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ShortPathTest,
    ::testing::Values(
        // 73 characters: two directories go, which leaves 43.
        ShortPathCase{
            "AddinsFolder",
            "C:\\Program Files\\Microsoft Visual Studio\\VB98\\Addins\\ZarvelinAddinXYZ.dll", 45,
            "C:\\...\\...\\VB98\\Addins\\ZarvelinAddinXYZ.dll"},
        ShortPathCase{"ExactlyAtTheLimit", "C:\\Program Files\\Zarvelin\\Zarvelin1234567.dll", 45,
                      "C:\\Program Files\\Zarvelin\\Zarvelin1234567.dll"},
        ShortPathCase{"OneOverTheLimit", "C:\\Program Files\\Zarvelin\\Zarvelin12345678.dll", 45,
                      "C:\\...\\Zarvelin\\Zarvelin12345678.dll"},
        ShortPathCase{"Short", "C:\\Zarvelin.dll", 45, "C:\\Zarvelin.dll"},
        ShortPathCase{"NoDirectoryToDrop", "C:\\AVeryLongProgramFileNameThatNeverFitsTheLabel.dll",
                      45, "C:\\AVeryLongProgramFileNameThatNeverFitsTheLabel.dll"},
        ShortPathCase{"EveryDirectoryDroppedStillTooLong",
                      "C:\\ab\\cd\\AVeryLongProgramFileNameThatNeverFitsTheLabel.dll", 45,
                      "C:\\...\\...\\AVeryLongProgramFileNameThatNeverFitsTheLabel.dll"},
        ShortPathCase{"StopsAsSoonAsItFits", "D:\\alpha\\beta\\gamma\\delta\\g.exe", 26,
                      "D:\\...\\...\\...\\delta\\g.exe"}),
    [](const ::testing::TestParamInfo<ShortPathCase>& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace zarvelin
