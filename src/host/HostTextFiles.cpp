#include "host/HostTextFiles.h"

#include <utility>

#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {
constexpr unsigned long long kPieceSize = 64 * 1024;
}

HostTextReader::HostTextReader(HostFile file) : file_(std::move(file)) {}

std::optional<std::string> HostTextReader::ReadLine() {
  for (;;) {
    if (auto line = lines_.Next()) return line;
    if (ended_) return std::nullopt;
    // Left unfilled: a piece is read into, never read before, and most files fit in one, as
    // big as the file rather than the largest piece.
    if (!piece_) {
      pieceSize_ = static_cast<size_t>(file_.Size() > 0 && file_.Size() < kPieceSize ? file_.Size()
                                                                                     : kPieceSize);
      piece_ = std::make_unique_for_overwrite<char[]>(pieceSize_);
    }
    const size_t count = file_.Read(piece_.get(), pieceSize_);
    read_ += count;
    lines_.Feed(std::string_view(piece_.get(), count));
    // The file is read as big as it was when opened: once that much is in, a read that could only
    // find the end would cost a call per file. A file that calls itself empty (as the files of
    // /proc do) is read until a read finds the end.
    if (count == 0 || (file_.Size() > 0 && read_ >= file_.Size())) {
      lines_.Finish();
      ended_ = true;
    }
  }
}

}  // namespace zarvelin::host
