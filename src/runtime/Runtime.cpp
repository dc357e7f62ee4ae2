#include "runtime/Runtime.h"

#include <utility>

namespace zarvelin {

Runtime& Rt() {
  static Runtime runtime;
  return runtime;
}

ScopedRuntime::ScopedRuntime(Runtime runtime)
    : previous_(std::exchange(Rt(), std::move(runtime))) {}

ScopedRuntime::~ScopedRuntime() {
  Rt() = std::move(previous_);
}

}  // namespace zarvelin
