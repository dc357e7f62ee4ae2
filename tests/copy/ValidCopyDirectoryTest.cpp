#include <gtest/gtest.h>

#include <string>

#include "CopyRoad.h"
#include "copy/ValidCopyDirectory.h"
#include "runtime/Strings.h"

namespace zarvelin::copy {
namespace {

constexpr char kHint[] = "Please Enter a Valid Directory Using the \"To:\" (Browse) Button.";

enum class Rule { Passes, NoDirectory, SameAsProject, Missing, NotWritable };

struct ValidationCase {
  std::string name;
  std::string typed;  // "{T}" stands for the test's directory as a VB path
  bool cdRom;         // the test directory's drive is a CD-ROM drive
  Rule refusedBy;
};

class ValidCopyDirectoryTest : public CopyRoad, public testing::WithParamInterface<ValidationCase> {
 protected:
  std::string Expand(std::string text) const {
    const size_t at = text.find("{T}");
    if (at != std::string::npos) text.replace(at, 3, temp.VbPath());
    return text;
  }
};

TEST_P(ValidCopyDirectoryTest, AppliesTheFourRulesInOrder) {
  const ValidationCase& c = GetParam();
  temp.MakeDirectory("Proj");
  temp.MakeDirectory("Copy");
  temp.Write("Proj/App.vbp", "Type=Exe\r\n");
  if (c.cdRom) platform.SetDriveType(temp.VbPath().substr(0, 2) + "\\", drive::kCdRom);
  platform.SetDriveType(R"(\\\)", drive::kNoRootDir);
  const std::string typed = Expand(c.typed);

  const bool valid = ValidCopyDirectory(typed, temp.VbPath("Proj"));

  EXPECT_EQ(valid, c.refusedBy == Rule::Passes);
  EXPECT_TRUE(failures.empty());
  if (c.refusedBy == Rule::Passes) {
    EXPECT_TRUE(platform.Messages().empty());
    return;
  }
  ASSERT_EQ(platform.Messages().size(), 1u);
  const auto& shown = platform.Messages()[0];
  EXPECT_EQ(shown.style, 64);
  switch (c.refusedBy) {
    case Rule::NoDirectory:
      EXPECT_EQ(shown.title, "No Copy Directory");
      EXPECT_EQ(shown.text, kHint);
      break;
    case Rule::SameAsProject:
      EXPECT_EQ(shown.title, "Cannot Copy to Project Directory");
      EXPECT_EQ(shown.text, std::string("The copy directory and the project directory are the "
                                        "same.\r\n") +
                                kHint);
      break;
    case Rule::Missing:
      EXPECT_EQ(shown.title, "Invalid Copy Directory");
      EXPECT_EQ(shown.text, typed + "\r\ndoes not exist.\r\n" + kHint);
      break;
    case Rule::NotWritable:
      EXPECT_EQ(shown.title, "Cannot Write to Directory");
      EXPECT_EQ(shown.text, typed + "\r\nis not a writable directory.\r\n" + kHint);
      break;
    case Rule::Passes:
      break;
  }
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
