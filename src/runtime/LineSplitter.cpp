#include "runtime/LineSplitter.h"

#include <algorithm>
#include <utility>

namespace zarvelin {

// Whole runs of bytes between line ends are taken at once: a project of thousands of files is
// not cut byte by byte.
void LineSplitter::Feed(std::string_view bytes) {
  if (next_ == ready_.size()) {
    ready_.clear();
    next_ = 0;
  }
  while (!bytes.empty()) {
    if (std::exchange(afterCarriageReturn_, false) && bytes.front() == '\n') {
      bytes.remove_prefix(1);
      continue;
    }
    const size_t end = static_cast<size_t>(
        std::find_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }) -
        bytes.begin());
    if (end == bytes.size()) {
      current_.append(bytes);
      return;
    }
    if (current_.empty()) {
      ready_.emplace_back(bytes.substr(0, end));
    } else {
      current_.append(bytes.substr(0, end));
      ready_.push_back(std::exchange(current_, {}));
    }
    afterCarriageReturn_ = bytes[end] == '\r';
    bytes.remove_prefix(end + 1);
  }
}

void LineSplitter::Finish() {
  if (!current_.empty()) ready_.push_back(std::exchange(current_, {}));
  afterCarriageReturn_ = false;
}

std::optional<std::string> LineSplitter::Next() {
  if (next_ == ready_.size()) return std::nullopt;
  return std::move(ready_[next_++]);
}

}  // namespace zarvelin
