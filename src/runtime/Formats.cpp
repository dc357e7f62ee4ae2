#include "runtime/Formats.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/VbError.h"

namespace zarvelin {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A number by a pattern of zeros: at least minDigits digits, more when the number needs them.
std::string ZeroPadded(int64_t number, int minDigits) {
  std::string digits = std::to_string(number < 0 ? -number : number);
  if (static_cast<int>(digits.size()) < minDigits) {
    digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
  }
  return number < 0 ? "-" + digits : digits;
}

const char* Clamped(const auto& names, int index) {
  const int last = static_cast<int>(names.size()) - 1;
  return names[static_cast<size_t>(index < 0 ? 0 : (index > last ? last : index))];
}

// Rounds to the nearest whole number, ties to the even one, as the run time's conversions do.
double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

template <class Whole>
Whole VbWhole(double value) {
  if (std::isnan(value)) throw VbError(vberr::kOverflow);
  const double rounded = RoundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Whole>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Whole>::max())) {
    throw VbError(vberr::kOverflow);
  }
  return static_cast<Whole>(rounded);
}

// Walks a text the way Val reads it: blanks, tabs and line feeds do not count anywhere.
class ValReader {
 public:
  explicit ValReader(std::string_view text) : text_(text) {}

  char Peek() {
    SkipBlanks();
    return at_ < text_.size() ? text_[at_] : '\0';
  }
  void Take() { ++at_; }
  bool TakeIf(auto accepts) {
    if (!accepts(Peek())) return false;
    Take();
    return true;
  }

 private:
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n')) {
      ++at_;
    }
  }

  std::string_view text_;
  size_t at_ = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "&H" and "&O" numbers: up to 16 bits they read as an Integer, up to 32 bits as a Long, so
// &HFFFF is -1 as in VB.
double RadixNumber(ValReader& reader, int radix) {
  uint64_t value = 0;
  for (;;) {
    const int digit = HexDigit(reader.Peek());
    if (digit < 0 || digit >= radix) break;
    reader.Take();
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) throw VbError(vberr::kOverflow);
  }
  if (value <= 0xFFFFull) return static_cast<int16_t>(static_cast<uint16_t>(value));
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

std::string NumberText(int64_t number) {
  return (number < 0 ? "" : " ") + std::to_string(number);
}

std::string FormatVersion(int32_t major, int32_t minor, std::optional<int32_t> revision) {
  std::string text = ZeroPadded(major, 1) + "." + ZeroPadded(minor, 2);
  if (revision) text += "." + ZeroPadded(*revision, 4);
  return text;
}

std::string FormatReportTime(const DateTime& time) {
  return std::string(Clamped(kDayNames, time.DayOfWeek())) + " " +
         Clamped(kMonthAbbreviations, time.month - 1) + " " + ZeroPadded(time.day, 2) + "," +
         ZeroPadded(time.year, 4) + " @ " + ZeroPadded(time.hour, 2) + ":" +
         ZeroPadded(time.minute, 2) + ":" + ZeroPadded(time.second, 2);
}

std::string GeneralDateTime(const DateTime& time) {
  const bool midnight = time.hour == 0 && time.minute == 0 && time.second == 0;
  // VB's zero date (30 December 1899) stands for "no date": only the time is shown.
  const bool zeroDate = time.year == 1899 && time.month == 12 && time.day == 30;
  std::string text;
  if (!zeroDate) {
    text = std::to_string(time.month) + "/" + std::to_string(time.day) + "/" +
           std::to_string(time.year);
    if (midnight) return text;
    text += " ";
  }
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  return text + std::to_string(hour12) + ":" + ZeroPadded(time.minute, 2) + ":" +
         ZeroPadded(time.second, 2) + (time.hour < 12 ? " AM" : " PM");
}

int16_t VbInteger(double value) {
  return VbWhole<int16_t>(value);
}

int32_t VbLong(double value) {
  return VbWhole<int32_t>(value);
}

double LeadingNumber(std::string_view text) {
  ValReader reader(text);
  if (reader.TakeIf([](char c) { return c == '&'; })) {
    if (reader.TakeIf([](char c) { return c == 'H' || c == 'h'; })) return RadixNumber(reader, 16);
    reader.TakeIf([](char c) { return c == 'O' || c == 'o'; });
    return RadixNumber(reader, 8);
  }

  std::string number;
  if (reader.Peek() == '-') number += '-';
  reader.TakeIf([](char c) { return c == '-' || c == '+'; });
  bool anyDigit = false;
  while (IsDigit(reader.Peek())) {
    number += reader.Peek();
    reader.Take();
    anyDigit = true;
  }
  if (reader.TakeIf([](char c) { return c == '.'; })) {
    number += '.';
    while (IsDigit(reader.Peek())) {
      number += reader.Peek();
      reader.Take();
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0;

  if (reader.TakeIf([](char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; })) {
    std::string exponent = "e";
    if (reader.Peek() == '-') exponent += '-';
    reader.TakeIf([](char c) { return c == '-' || c == '+'; });
    while (IsDigit(reader.Peek())) {
      exponent += reader.Peek();
      reader.Take();
    }
    if (exponent.back() != 'e' && exponent.back() != '-') number += exponent;
  }

  // strtod reads the decimal point of the C locale in force, so the point is written as that.
  if (const auto point = number.find('.'); point != std::string::npos) {
    number.replace(point, 1, std::localeconv()->decimal_point);
  }
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) throw VbError(vberr::kOverflow);
  return value;
}

}  // namespace zarvelin
