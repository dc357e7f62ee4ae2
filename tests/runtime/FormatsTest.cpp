#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/Formats.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

TEST(NumberText, KeepsASignPosition) {
  const struct {
    int64_t number;
    const char* text;
  } cases[] = {{53, " 53"}, {0, " 0"}, {-1, "-1"}, {-32768, "-32768"}, {2147483647, " 2147483647"}};
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.number), c.text) << c.number;
}

TEST(FormatVersion, PadsEachPartToItsPattern) {
  const struct {
    int32_t major, minor;
    std::optional<int32_t> revision;
    const char* text;
  } cases[] = {
      {1, 0, 1406, "1.00.1406"}, {2, 5, std::nullopt, "2.05"},
      {0, 0, 0, "0.00.0000"},    {12, 345, 67890, "12.345.67890"},
      {1, 7, 3, "1.07.0003"},    {-1, 0, std::nullopt, "-1.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatVersion(c.major, c.minor, c.revision), c.text) << c.text;
  }
}

TEST(DayOfWeek, CountsFromSunday) {
  const struct {
    DateTime date;
    int weekday;
  } cases[] = {
      {{2026, 12, 5}, 6}, {{2026, 12, 6}, 0}, {{2000, 2, 29}, 2}, {{1899, 12, 30}, 6},
      {{2024, 3, 1}, 5},  {{1970, 1, 1}, 4},  {{2100, 3, 1}, 1},  {{1600, 1, 1}, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.date.DayOfWeek(), c.weekday)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

TEST(FormatReportTime, WritesThePatternWithEnglishNames) {
  const struct {
    DateTime time;
    const char* text;
  } cases[] = {
      {{2026, 12, 5, 8, 36, 6}, "Saturday Dec 05,2026 @ 08:36:06"},
      {{2027, 1, 3, 23, 59, 59}, "Sunday Jan 03,2027 @ 23:59:59"},
      {{2024, 2, 29, 0, 0, 0}, "Thursday Feb 29,2024 @ 00:00:00"},
      {{999, 9, 10, 12, 5, 7}, "Tuesday Sep 10,0999 @ 12:05:07"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReportTime(c.time), c.text);
}

TEST(GeneralDateTime, WritesEnglishGeneralDate) {
  const struct {
    DateTime time;
    const char* text;
  } cases[] = {
      {{2026, 12, 5, 8, 36, 6}, "12/5/2026 8:36:06 AM"},
      {{2026, 1, 15, 13, 5, 0}, "1/15/2026 1:05:00 PM"},
      {{2026, 7, 4, 0, 0, 1}, "7/4/2026 12:00:01 AM"},
      {{2026, 7, 4, 12, 0, 0}, "7/4/2026 12:00:00 PM"},
      {{2026, 7, 4, 0, 0, 0}, "7/4/2026"},
      {{1899, 12, 30, 9, 30, 0}, "9:30:00 AM"},
  };
  for (const auto& c : cases) EXPECT_EQ(GeneralDateTime(c.time), c.text);
}

TEST(VbInteger, RoundsHalfToEven) {
  const struct {
    double value;
    int16_t result;
  } cases[] = {{0.5, 0},         {1.5, 2},           {2.5, 2},    {-0.5, 0},
               {-1.5, -2},       {-2.5, -2},         {2.4999, 2}, {2.5001, 3},
               {32767.4, 32767}, {-32768.5, -32768}, {-3.7, -4},  {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(VbInteger(c.value), c.result) << c.value;
}

TEST(VbInteger, OverflowIsError6) {
  const double cases[] = {
      32767.5,  32768,    -32768.51, -40000, std::numeric_limits<double>::quiet_NaN(),
      INFINITY, -INFINITY};
  for (const double value : cases) {
    try {
      VbInteger(value);
      ADD_FAILURE() << value << " converted";
    } catch (const VbError& error) {
      EXPECT_EQ(error.Number(), vberr::kOverflow) << value;
    }
  }
}

TEST(VbLong, UsesThe32BitRange) {
  EXPECT_EQ(VbLong(40000), 40000);
  EXPECT_EQ(VbLong(2147483647.4), 2147483647);
  EXPECT_EQ(VbLong(-2147483648.5), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(VbLong(100000.5), 100000);
  const double overflowing[] = {2147483647.5, -2147483649.0, std::nan("")};
  for (const double value : overflowing) {
    try {
      VbLong(value);
      ADD_FAILURE() << value << " converted";
    } catch (const VbError& error) {
      EXPECT_EQ(error.Number(), vberr::kOverflow) << value;
    }
  }
}

TEST(LeadingNumber, ReadsLikeVal) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"3", 3},       {"2.5", 2.5},       {"abc", 0},     {" 1 2", 12},
      {"-4e2", -400}, {"40000", 40000},   {"", 0},        {"-", 0},
      {".", 0},       {".5", 0.5},        {"12abc", 12},  {"1.2.3", 1.2},
      {"+7", 7},      {"- 3", -3},        {"1e", 1},      {"1e-", 1},
      {"2D3", 2000},  {"2.5e-1", 0.25},   {"\t9\n8", 98}, {"&HFF", 255},
      {"&hFFFF", -1}, {"&H10000", 65536}, {"&O17", 15},   {"&7", 7},
      {"1,000", 1},   {"1e-400", 0},      {"0x10", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(LeadingNumber, OverflowIsError6) {
  const char* cases[] = {"1e400", "-9D999", "&H100000000"};
  for (const char* text : cases) {
    try {
      LeadingNumber(text);
      ADD_FAILURE() << text << " read";
    } catch (const VbError& error) {
      EXPECT_EQ(error.Number(), vberr::kOverflow) << text;
    }
  }
}

}  // namespace
}  // namespace zarvelin
