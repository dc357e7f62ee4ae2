#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filebacked/FileBackedIdeComponentFile.h"

namespace zarvelin::filebacked {
namespace {

struct ReferenceCase {
  std::string line;
  std::vector<std::string> names;
};

class CompanionReferenceTest : public ::testing::TestWithParam<ReferenceCase> {};

std::vector<std::string> NamesIn(const std::string& line) {
  std::vector<std::string> names;
  for (const CompanionReference& at : FindCompanionReferences(line)) {
    names.push_back(line.substr(at.start, at.length));
  }
  return names;
}

TEST_P(CompanionReferenceTest, FindsTheNamedCompanions) {
  EXPECT_EQ(NamesIn(GetParam().line), GetParam().names) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    ComponentFile, CompanionReferenceTest,
    ::testing::Values(
        ReferenceCase{"   Icon            =   \"frmMain.frx\":0000", {"frmMain.frx"}},
        ReferenceCase{"      Caption         =   $\"frmMain.frx\":0A3C", {"frmMain.frx"}},
        ReferenceCase{"   Size            =   \"dsrMonthly.dsx\":0000", {"dsrMonthly.dsx"}},
        ReferenceCase{"   Picture = \"Res\\Pics\\Main.frx\":01F0", {"Res\\Pics\\Main.frx"}},
        ReferenceCase{"   Caption         =   \"Ledger Entries\"", {}},
        // A colon after a text that is no offset: a statement separator in code.
        ReferenceCase{"s = \"a.txt\": Call Go", {}}, ReferenceCase{"   Tag = \"no dot\":0000", {}},
        // Doubled quotes are quotes inside the text, which does not end there.
        ReferenceCase{"   Caption = \"Say \"\"hi.frx\"\":0000\"", {}},
        ReferenceCase{"   List = \"a.frx\":0000 & \"b.frx\":00FF", {"a.frx", "b.frx"}},
        ReferenceCase{"   Caption = \"unterminated", {}}));

struct RenameCase {
  std::string line;
  std::string expected;
};

class RenameCompanionsTest : public ::testing::TestWithParam<RenameCase> {};

TEST_P(RenameCompanionsTest, ReplacesOnlyTheNames) {
  const std::string renamed = RenameCompanions(
      GetParam().line, [](const std::string& name) { return "New" + name.substr(4); });
  EXPECT_EQ(renamed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ComponentFile, RenameCompanionsTest,
                         ::testing::Values(RenameCase{"   Icon            =   \"Main.frx\":0000",
                                                      "   Icon            =   \"New.frx\":0000"},
                                           RenameCase{"   Caption = $\"Main.frx\":0A3C 'x",
                                                      "   Caption = $\"New.frx\":0A3C 'x"},
                                           RenameCase{"\"Main.frx\":0000,\"Main.frx\":0010",
                                                      "\"New.frx\":0000,\"New.frx\":0010"},
                                           RenameCase{"   Caption = \"Main\"",
                                                      "   Caption = \"Main\""}));

TEST(NameLineTest, IsTheAttributeLineExactly) {
  const std::vector<std::pair<std::string, bool>> cases{{"Attribute VB_Name = \"frmMain\"", true},
                                                        {"Attribute VB_Name = \"\"", true},
                                                        {"attribute VB_Name = \"frmMain\"", false},
                                                        {" Attribute VB_Name = \"frmMain\"", false},
                                                        {"Attribute VB_Creatable = False", false}};
  for (const auto& [line, isName] : cases) EXPECT_EQ(IsNameLine(line), isName) << line;
}

}  // namespace
}  // namespace zarvelin::filebacked
