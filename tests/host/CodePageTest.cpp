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

}  // namespace
}  // namespace zarvelin::host
