#pragma once

#include "runtime/DateTime.h"

namespace zarvelin::win32 {

// Now, in the system's local time.
class WinClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace zarvelin::win32
