#include "runtime/LineSplitter.h"

namespace zarvelin {

void LineSplitter::Feed(std::string_view bytes) {
  if (start_ == pending_.size()) {
    pending_.assign(bytes);
  } else {
    pending_.erase(0, start_).append(bytes);
  }
  start_ = 0;
}

void LineSplitter::Finish() {
  finished_ = true;
}

std::optional<std::string> LineSplitter::Next() {
  if (afterCarriageReturn_ && start_ < pending_.size()) {
    afterCarriageReturn_ = false;
    if (pending_[start_] == '\n') ++start_;
  }
  const std::string_view rest = std::string_view(pending_).substr(start_);
  for (size_t end = 0; end < rest.size(); ++end) {
    const char c = rest[end];
    if (c != '\r' && c != '\n') continue;
    std::string line(rest.substr(0, end));
    start_ += end + 1;
    afterCarriageReturn_ = c == '\r';
    return line;
  }
  if (!finished_ || rest.empty()) return std::nullopt;
  start_ = pending_.size();
  return std::string(rest);
}

}  // namespace zarvelin
