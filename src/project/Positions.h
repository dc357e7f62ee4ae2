#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/VbError.h"

namespace zarvelin::positions {

// The project routines hold character positions and lengths as 16-bit integers, as the
// run time's Integer: one beyond 32767 is an overflow of the routine that holds it.
inline int16_t Held(size_t position) {
  if (position > 32767) throw VbError(vberr::kOverflow);
  return static_cast<int16_t>(position);
}

// InStr(start, text, find): the 1-based position of the first occurrence at or after start,
// 0 when there is none.
inline size_t InStr(size_t start, std::string_view text, std::string_view find) {
  if (start > text.size()) return 0;
  const size_t found = text.find(find, start - 1);
  return found == std::string_view::npos ? 0 : found + 1;
}

}  // namespace zarvelin::positions
