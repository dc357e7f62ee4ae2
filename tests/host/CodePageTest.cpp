#include <gtest/gtest.h>

#include "host/CodePage.h"

namespace zarvelin::host {
namespace {

TEST(ToUtf8, ConvertsFromTheCodePage) {
  const struct {
    const char* codePage;
    std::string text;
    std::optional<std::string> utf8;
  } cases[] = {
      {"WINDOWS-1252", "plain", "plain"},
      {"WINDOWS-1252",
       "C\xF3"
       "digo \x80",
       "C\xC3\xB3"
       "digo \xE2\x82\xAC"},
      {"SHIFT_JIS", "\x95\x5C", "\xE8\xA1\xA8"},
      {"SHIFT_JIS", "\x95", std::nullopt},
      {"NO-SUCH-CODE-PAGE", "\xE9", std::nullopt},
      {"NO-SUCH-CODE-PAGE", "ascii passes", "ascii passes"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToUtf8(c.codePage, c.text), c.utf8) << c.text;
}

TEST(ShownAsUtf8, KeepsWhatDoesNotConvert) {
  EXPECT_EQ(ShownAsUtf8("WINDOWS-1252", "\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(ShownAsUtf8("SHIFT_JIS", "a\x95"), "a\x95");
}

}  // namespace
}  // namespace zarvelin::host
