#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/ValidCopyDirectory.h"

namespace zarvelin::copy {
namespace {

constexpr char kHint[] = "Please Enter a Valid Directory Using the \"To:\" (Browse) Button.";

enum class Rule { Passes, NoDirectory, SameAsProject, Missing, NotWritable };

// The box that refuses a typed directory under each rule.
Message Refusal(Rule rule, const std::string& typed) {
  switch (rule) {
    case Rule::NoDirectory:
      return {kHint, "No Copy Directory", 64};
    case Rule::SameAsProject:
      return {std::string("The copy directory and the project directory are the same.\r\n") + kHint,
              "Cannot Copy to Project Directory", 64};
    case Rule::Missing:
      return {typed + "\r\ndoes not exist.\r\n" + kHint, "Invalid Copy Directory", 64};
    case Rule::NotWritable:
      return {typed + "\r\nis not a writable directory.\r\n" + kHint, "Cannot Write to Directory",
              64};
    case Rule::Passes:
      break;
  }
  return {};
}

struct ValidationCase {
  std::string name;
  std::string typed;  // "{T}" stands for the test's directory as a VB path
  bool cdRom;         // the test directory's drive is a CD-ROM drive
  Rule refusedBy;
};

class ValidCopyDirectoryTest : public CopyRoad,
                               public testing::WithParamInterface<ValidationCase> {};

TEST_P(ValidCopyDirectoryTest, AppliesTheFourRulesInOrder) {
  const ValidationCase& c = GetParam();
  temp.MakeDirectory("Proj");
  temp.MakeDirectory("Copy");
  temp.Write("Proj/App.vbp", "Type=Exe\r\n");
  if (c.cdRom) platform.SetDriveType(temp.VbPath().substr(0, 2) + "\\", drive::kCdRom);
  platform.SetDriveType(R"(\\\)", drive::kNoRootDir);
  const std::string typed = Expand(c.typed);

  EXPECT_EQ(ValidCopyDirectory(typed, temp.VbPath("Proj")), c.refusedBy == Rule::Passes);

  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(platform.Messages(), c.refusedBy == Rule::Passes
                                     ? std::vector<Message>{}
                                     : std::vector<Message>{Refusal(c.refusedBy, typed)});
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ValidCopyDirectoryTest,
    testing::Values(
        ValidationCase{"Empty", "", false, Rule::NoDirectory},
        ValidationCase{"Blanks", "   ", false, Rule::NoDirectory},
        ValidationCase{"BlanksOnCdRom", "   ", true, Rule::NoDirectory},
        ValidationCase{"ProjectDirectory", R"({T}\Proj)", false, Rule::SameAsProject},
        ValidationCase{"ProjectDirectoryInAnotherCase", R"({T}\PROJ)", false, Rule::SameAsProject},
        ValidationCase{"ProjectDirectoryOnCdRom", R"({T}\Proj)", true, Rule::SameAsProject},
        ValidationCase{"ProjectDirectoryWithTrailingBackslash", R"({T}\Proj\)", false,
                       Rule::Passes},
        ValidationCase{"OtherDirectory", R"({T}\Copy)", false, Rule::Passes},
        ValidationCase{"Missing", R"({T}\Nowhere)", false, Rule::Missing},
        ValidationCase{"MissingOnCdRom", R"({T}\Nowhere)", true, Rule::Missing},
        ValidationCase{"FileNotDirectory", R"({T}\Proj\App.vbp)", false, Rule::Missing},
        ValidationCase{"SurroundedByBlanks", R"( {T}\Copy )", false, Rule::Missing},
        ValidationCase{"CdRom", R"({T}\Copy)", true, Rule::NotWritable},
        ValidationCase{"NetworkShare", R"(\\server\share\Copy)", false, Rule::Passes}),
    [](const testing::TestParamInfo<ValidationCase>& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin::copy
