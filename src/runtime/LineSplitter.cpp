#include "runtime/LineSplitter.h"

namespace zarvelin {

void LineSplitter::Feed(std::string_view bytes) {
  if (start_ == pending_.size()) {
    pending_.assign(bytes);
  } else {
    pending_.erase(0, start_).append(bytes);
  }
  start_ = 0;
  lineFeedKnown_ = false;
}

void LineSplitter::Finish() {
  finished_ = true;
}

std::optional<std::string> LineSplitter::Next() {
  if (afterCarriageReturn_ && start_ < pending_.size()) {
    afterCarriageReturn_ = false;
    const bool lineFeed = pending_[start_] == '\n';
    if (firstEndAwaitsByte_) {
      firstLineEnd_ = lineFeed ? "\r\n" : "\r";
      firstEndAwaitsByte_ = false;
    }
    if (lineFeed) ++start_;
  }
  const std::string_view rest = std::string_view(pending_).substr(start_);
  // Most lines end in CR LF: the LF is found by memchr, and a CR before it. Where the last search
  // found no LF in what has arrived, none is looked for again, so that lines ended by CR alone
  // do not each search to the end.
  if (!lineFeedKnown_ || (lineFeed_ != std::string::npos && lineFeed_ < start_)) {
    lineFeed_ = pending_.find('\n', start_);
    lineFeedKnown_ = true;
  }
  const size_t searched = lineFeed_ == std::string::npos ? rest.size() : lineFeed_ - start_;
  const size_t carriageReturn = rest.substr(0, searched).find('\r');
  const size_t end = carriageReturn != std::string_view::npos ? carriageReturn : searched;
  if (end < rest.size()) {
    std::string line(rest.substr(0, end));
    start_ += end + 1;
    afterCarriageReturn_ = rest[end] == '\r';
    if (firstLineEnd_.empty() && !firstEndAwaitsByte_) {
      if (!afterCarriageReturn_) {
        firstLineEnd_ = "\n";
      } else if (end + 1 < rest.size()) {
        firstLineEnd_ = rest[end + 1] == '\n' ? "\r\n" : "\r";
      } else {
        firstEndAwaitsByte_ = true;
      }
    }
    return line;
  }
  if (!finished_ || rest.empty()) return std::nullopt;
  start_ = pending_.size();
  return std::string(rest);
}

std::string_view LineSplitter::FirstLineEnd() const {
  if (firstEndAwaitsByte_) return finished_ && start_ == pending_.size() ? "\r" : "";
  return firstLineEnd_;
}

}  // namespace zarvelin
