#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "host/CodePage.h"
#include "runtime/Windows1252.h"

namespace zarvelin::host {
namespace {

std::unique_ptr<CodePage> Opened(const std::string& name) {
  std::unique_ptr<CodePage> codePage = IconvCodePages().Open(name);
  EXPECT_NE(codePage, nullptr) << name;
  return codePage;
}

TEST(IconvCodePages, DecodesEveryLineAndMarksWhatTheCodePageLacks) {
  const struct {
    const char* codePage;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"1252",
       "C\xF3"
       "digo \x80",
       "C\xC3\xB3"
       "digo \xE2\x82\xAC"},
      {"1252", "\x81\x9D", "\xC2\x81\xC2\x9D"},
      {"932", "3d\x95\x5C\x8E\xA6.frm", "3d\xE8\xA1\xA8\xE7\xA4\xBA.frm"},
      {"932", "\x83\x5C\\", "\xE3\x82\xBD\\"},
      {"932",
       "a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"932", "end\x95", "end\xEF\xBF\xBD"},
      {"936", "\xB1\xED", "\xE8\xA1\xA8"},
      {"1251", "\xCF\xF0\xE8\xEC\xE5\xF0", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80"},
      {"SHIFT_JIS", "\x95\x5C", "\xE8\xA1\xA8"},
  };
  for (const auto& c : cases) EXPECT_EQ(Opened(c.codePage)->Decode(c.bytes), c.text) << c.bytes;
}

TEST(IconvCodePages, EncodesOnlyWhatTheCodePageHas) {
  const struct {
    const char* codePage;
    std::string text;
    std::optional<std::string> bytes;
  } cases[] = {
      {"932", "\xE8\xA1\xA8\xE7\xA4\xBA", "\x95\x5C\x8E\xA6"},
      {"932", "\xC2\xAC", "\x81\xCA"},
      {"932", "\xD0\x9F", "\x84\x50"},
      {"932", "\xEF\xBF\xBD", std::nullopt},
      {"1252", "\xE2\x82\xAC\xC3\xA9", "\x80\xE9"},
      {"1252", "\xE8\xA1\xA8", std::nullopt},
      {"1252", "\xC3", std::nullopt},
      {"1251", "\xD0\x9F", "\xCF"},
      {"936", "plain", "plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(Opened(c.codePage)->Encode(c.text), c.bytes) << c.text;
}

TEST(IconvCodePages, UnknownNamesOpenNothing) {
  EXPECT_EQ(IconvCodePages().Open("NO-SUCH-CODE-PAGE"), nullptr);
  EXPECT_EQ(IconvCodePages().Open(""), nullptr);
}

// The table that needs no converter agrees with iconv's on every byte iconv defines, and gives
// back every byte.
TEST(Windows1252CodePage, AgreesWithIconvAndRoundTripsEveryByte) {
  const std::unique_ptr<CodePage> iconv = Opened("CP1252");
  const Windows1252CodePage table;
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string text = table.Decode(byte);
    const std::string converted = iconv->Decode(byte);
    if (converted != "\xEF\xBF\xBD") {
      EXPECT_EQ(text, converted) << value;
    }
    EXPECT_EQ(table.Encode(text), byte) << value;
  }
}

}  // namespace
}  // namespace zarvelin::host
