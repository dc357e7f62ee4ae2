#include <gtest/gtest.h>

#include <string>

#include "fakes/ScriptedPlatform.h"
#include "ui/LogonNames.h"

namespace zarvelin {
namespace {

struct NameCase {
  const char* name;
  NameAnswer answer;
  std::string expectedUser;
  std::string expectedComputer;
};

class LogonNamesTest : public ::testing::TestWithParam<NameCase> {
 protected:
  LogonNamesTest() { SetPlatform(&platform_); }
  ~LogonNamesTest() override { SetPlatform(nullptr); }

  fakes::ScriptedPlatform platform_;
};

// The same answer read as a user name (size counts the NUL) and as a computer name (it does not).
TEST_P(LogonNamesTest, TakesTheCharactersTheCallReports) {
  const NameCase& c = GetParam();
  platform_.UserNameAnswer() = c.answer;
  platform_.ComputerNameAnswer() = c.answer;
  EXPECT_EQ(CurrentUserName(), c.expectedUser);
  EXPECT_EQ(CurrentComputerName(), c.expectedComputer);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LogonNamesTest,
    ::testing::Values(NameCase{"ThreeCharactersAndNul",
                               {true, std::string("bob\0    ", 8), 4},
                               "bob",
                               std::string("bob\0", 4)},
                      NameCase{"SizeWithoutNul", {true, "TESTBOX   ", 7}, "TESTBO", "TESTBOX"},
                      NameCase{"CallFailed", {false, "stale", 5}, "", ""},
                      NameCase{"NothingWritten", {true, "", 0}, "", ""},
                      NameCase{"SizeBeyondBuffer", {true, "abc", 9}, "abc", "abc"}),
    [](const ::testing::TestParamInfo<NameCase>& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace zarvelin
