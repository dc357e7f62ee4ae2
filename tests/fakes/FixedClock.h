#pragma once

#include "runtime/DateTime.h"

namespace zarvelin::fakes {

// A clock that always tells the time it was set to, so that dated texts can be compared whole.
class FixedClock : public Clock {
 public:
  explicit FixedClock(DateTime now = {2026, 12, 5, 8, 36, 6}) : now_(now) {}

  DateTime Now() const override { return now_; }
  void Set(DateTime now) { now_ = now; }

 private:
  DateTime now_;
};

}  // namespace zarvelin::fakes
