#include "filebacked/FileBackedIdeHeldText.h"

#include <atomic>
#include <utility>

namespace zarvelin::filebacked {
namespace {

// A quarter of the memory a copy of thousands of components may take at its peak.
constexpr size_t kMostHeldBytes = 8 * 1024 * 1024;

std::atomic<size_t>& HeldBytes() {
  static std::atomic<size_t> held = 0;
  return held;
}

}  // namespace

HeldText::~HeldText() {
  Take();
}

void HeldText::Keep(std::string text) {
  Take();
  const size_t bytes = text.size();
  size_t held = HeldBytes().load();
  do {
    if (held + bytes > kMostHeldBytes) return;
  } while (!HeldBytes().compare_exchange_weak(held, held + bytes));
  text_ = std::move(text);
  bytes_ = bytes;
}

std::optional<std::string> HeldText::Take() {
  HeldBytes() -= bytes_;
  bytes_ = 0;
  return std::exchange(text_, std::nullopt);
}

}  // namespace zarvelin::filebacked
