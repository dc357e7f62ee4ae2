#include <gtest/gtest.h>

#include <string>

#include "copy/GetFileName.h"

namespace zarvelin::copy {
namespace {

TEST(GetFileName, KeepsWhatFollowsTheLastBackslashOnly) {
  const struct {
    std::string path;
    std::string fileName;
  } cases[] = {{R"(C:\Dir\App.vbp)", "App.vbp"},
               {"App.vbp", "App.vbp"},
               {R"(C:\Dir\)", ""},
               {"", ""},
               {R"(C:\a\b\c\Form 1.frm)", "Form 1.frm"},
               {"C:App.vbp", "C:App.vbp"},
               {R"(\\server\share\Notes.txt)", "Notes.txt"},
               {"docs/Notes.txt", "docs/Notes.txt"}};
  for (const auto& c : cases) EXPECT_EQ(GetFileName(c.path), c.fileName) << c.path;
}

}  // namespace
}  // namespace zarvelin::copy
