#include <gtest/gtest.h>

#include "runtime/Strings.h"

namespace zarvelin {
namespace {

TEST(Trim, RemovesOnlyOuterBlanks) {
  const struct {
    const char* text;
    const char* trimmed;
  } cases[] = {{"  a b  ", "a b"}, {"", ""},   {"   ", ""},
               {"\ta\t", "\ta\t"}, {"x", "x"}, {" \r\n", "\r\n"}};
  for (const auto& c : cases) EXPECT_EQ(Trim(c.text), c.trimmed) << '"' << c.text << '"';
}

TEST(LetterCase, ChangesAsciiLettersOnly) {
  const std::string mixed = "Ab\xC9z[`{@ 9";
  EXPECT_EQ(LowerAscii(mixed), "ab\xC9z[`{@ 9");
  EXPECT_EQ(UpperAscii(mixed), "AB\xC9Z[`{@ 9");
}

TEST(EqualNoCase, IgnoresAsciiCaseOnly) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {{"Form1.FRM", "form1.frm", true}, {"a", "ab", false}, {"", "", true},
               {"\xC9", "\xE9", false},          {"[", "{", false},  {"@", "`", false}};
  for (const auto& c : cases) EXPECT_EQ(EqualNoCase(c.a, c.b), c.equal) << c.a << " " << c.b;
}

}  // namespace
}  // namespace zarvelin
