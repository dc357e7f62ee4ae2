#include "runtime/DateTime.h"

namespace zarvelin {

int DateTime::DayOfWeek() const {
  // Days since 1970-01-01 (a Thursday) on the proleptic Gregorian calendar, counted from March so
  // that the leap day ends the year.
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int shiftedMonth = month > 2 ? month - 3 : month + 9;
  const int dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long days = static_cast<long>(era) * 146097L + dayOfEra - 719468L;
  const long weekday = (days + 4) % 7;
  return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

}  // namespace zarvelin
