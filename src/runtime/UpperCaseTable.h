#pragma once

#include <cstdint>
#include <span>

namespace zarvelin {

// Characters that change when upper-cased, as runs in ascending order: every `stride`-th
// character from `first` to `last` becomes itself plus `delta`.
struct UpperCaseRun {
  char16_t first;
  char16_t last;
  uint8_t stride;
  int32_t delta;
};

// Windows' simple upper-case mapping of the Basic Multilingual Plane, outside ASCII.
std::span<const UpperCaseRun> UpperCaseRuns();

}  // namespace zarvelin
