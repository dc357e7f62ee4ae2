#pragma once

#include <cstdint>

namespace zarvelin {

// A local calendar date and time, as the run time's Now and FileDateTime give it.
struct DateTime {
  int year = 1899;
  int month = 12;  // 1..12
  int day = 30;    // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;

  // 0 = Sunday .. 6 = Saturday (weeks start on Sunday).
  int DayOfWeek() const;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The clock is injected so that reports can be pinned in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
};

}  // namespace zarvelin
