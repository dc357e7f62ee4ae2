#include "host/HostTextFiles.h"

#include <utility>

#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {
constexpr size_t kPieceSize = 64 * 1024;
}

HostTextReader::HostTextReader(HostFile file) : file_(std::move(file)) {}

std::optional<std::string> HostTextReader::ReadLine() {
  for (;;) {
    if (auto line = lines_.Next()) return line;
    if (ended_) return std::nullopt;
    // Left unfilled: a piece is read into, never read before, and most files fit in one.
    if (!piece_) piece_ = std::make_unique_for_overwrite<char[]>(kPieceSize);
    const size_t count = file_.Read(piece_.get(), kPieceSize);
    if (count == 0) {
      lines_.Finish();
      ended_ = true;
    } else {
      lines_.Feed(std::string_view(piece_.get(), count));
    }
  }
}

}  // namespace zarvelin::host
