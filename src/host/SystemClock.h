#pragma once

#include "runtime/DateTime.h"

namespace zarvelin::host {

// Now, in the host's local time.
class SystemClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace zarvelin::host
