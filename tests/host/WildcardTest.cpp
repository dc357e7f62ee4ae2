#include <gtest/gtest.h>

#include "host/Wildcard.h"

namespace zarvelin::host {
namespace {

TEST(MatchesPattern, ReadsDirPatterns) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*", "anything.txt", true},
      {"*.*", "noextension", true},
      {"*.*", "a.b", true},
      {"*.frm", "Form1.FRM", true},
      {"*.frm", "Form1.frx", false},
      {"*.frm", "a.frm.bak", false},
      {"form?.frm", "Form1.frm", true},
      {"form?.frm", "Form12.frm", false},
      {"?", "", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYY", false},
      {"*b", "abab", true},
      {"readme.*", "README", true},
      {"readme.*", "readme.wri", true},
      {"readme.*", "readmex", false},
      {"", "", true},
      {"\xC9*", "\xC9t\xE9", true},
      {"\xC9*", "\xE9t\xE9", false},
      {"[ab]", "a", false},
      {"[ab]", "[AB]", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
  }
}

}  // namespace
}  // namespace zarvelin::host
