#include "filebacked/FileBackedIdeHeldLines.h"

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

HeldLines::~HeldLines() {
  Take();
}

void HeldLines::Keep(std::vector<std::string> lines) {
  Take();
  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + sizeof(std::string);
  size_t held = HeldBytes().load();
  do {
    if (held + bytes > kMostHeldBytes) return;
  } while (!HeldBytes().compare_exchange_weak(held, held + bytes));
  lines_ = std::move(lines);
  bytes_ = bytes;
}

std::optional<std::vector<std::string>> HeldLines::Take() {
  HeldBytes() -= bytes_;
  bytes_ = 0;
  return std::exchange(lines_, std::nullopt);
}

}  // namespace zarvelin::filebacked
