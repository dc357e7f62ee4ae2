#include "ui/LogonNames.h"

#include <cstdint>

#include "platform/Platform.h"

namespace zarvelin {
namespace {

// The first `count` characters of the buffer the call filled; a size beyond the buffer takes what
// the buffer holds rather than reading past it.
std::string Filled(const NameAnswer& answer, uint32_t count) {
  return answer.buffer.substr(0, count);
}

}  // namespace

std::string CurrentUserName() {
  const NameAnswer answer = Sys().UserName();
  // The user-name call counts the terminating NUL in the size it leaves.
  if (!answer.succeeded || answer.size == 0) return {};
  return Filled(answer, answer.size - 1);
}

std::string CurrentComputerName() {
  const NameAnswer answer = Sys().ComputerName();
  // The computer-name call leaves the size without the terminating NUL.
  if (!answer.succeeded) return {};
  return Filled(answer, answer.size);
}

}  // namespace zarvelin
