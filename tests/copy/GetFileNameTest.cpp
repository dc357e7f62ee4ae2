#include <gtest/gtest.h>

#include <string>

#include "copy/GetFileName.h"

namespace zarvelin::copy {
namespace {

struct FileNameCase {
  std::string path;
  std::string fileName;
};

class GetFileNameTest : public testing::TestWithParam<FileNameCase> {};

TEST_P(GetFileNameTest, KeepsWhatFollowsTheLastBackslash) {
  EXPECT_EQ(GetFileName(GetParam().path), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Paths, GetFileNameTest,
                         testing::Values(FileNameCase{R"(C:\Dir\App.vbp)", "App.vbp"},
                                         FileNameCase{"App.vbp", "App.vbp"},
                                         FileNameCase{R"(C:\Dir\)", ""}, FileNameCase{"", ""},
                                         FileNameCase{R"(C:\a\b\c\Form 1.frm)", "Form 1.frm"},
                                         FileNameCase{"C:App.vbp", "C:App.vbp"},
                                         FileNameCase{R"(\\server\share\Notes.txt)", "Notes.txt"},
                                         FileNameCase{"docs/Notes.txt", "docs/Notes.txt"}));

}  // namespace
}  // namespace zarvelin::copy
