#include "runtime/LineSplitter.h"

#include <utility>

namespace zarvelin {

void LineSplitter::Feed(std::string_view bytes) {
  for (const char byte : bytes) {
    if (afterCarriageReturn_) {
      afterCarriageReturn_ = false;
      if (byte == '\n') continue;
    }
    if (byte == '\r' || byte == '\n') {
      ready_.push_back(std::exchange(current_, {}));
      started_ = false;
      afterCarriageReturn_ = byte == '\r';
      continue;
    }
    current_ += byte;
    started_ = true;
  }
}

void LineSplitter::Finish() {
  if (started_) ready_.push_back(std::exchange(current_, {}));
  started_ = false;
  afterCarriageReturn_ = false;
}

std::optional<std::string> LineSplitter::Next() {
  if (ready_.empty()) return std::nullopt;
  std::string line = std::move(ready_.front());
  ready_.pop_front();
  return line;
}

}  // namespace zarvelin
