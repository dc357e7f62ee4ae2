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

TEST(LeadBytesOf, FindsTheBytesThatStartTwoByteCharacters) {
  const LeadBytes western = LeadBytesOf("WINDOWS-1252");
  const LeadBytes japanese = LeadBytesOf("SHIFT_JIS");
  const struct {
    unsigned char byte;
    bool westernLead;
    bool japaneseLead;
  } cases[] = {{0x41, false, false}, {0x5C, false, false}, {0x81, false, true},
               {0x95, false, true},  {0x9F, false, true},  {0xA5, false, false},
               {0xE0, false, true},  {0xE9, false, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(western[c.byte], c.westernLead) << int{c.byte};
    EXPECT_EQ(japanese[c.byte], c.japaneseLead) << int{c.byte};
  }
  EXPECT_TRUE(IsKnownCodePage("WINDOWS-1252"));
  EXPECT_FALSE(IsKnownCodePage("NO-SUCH-CODE-PAGE"));
}

}  // namespace
}  // namespace zarvelin::host
