#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarvelin {

// Cuts a byte stream into lines as Line Input does: a line ends at CR, at CR LF or at LF, and the
// last line may lack an end. Bytes are kept as they are (NUL and bytes above 127 included). The
// stream comes in pieces of any size; only the last piece and the unfinished line before it are
// held, and a line is cut out of them when it is asked for.
class LineSplitter {
 public:
  // Takes the next bytes of the stream.
  void Feed(std::string_view bytes);
  // Marks the end of the stream: an unfinished last line becomes a line.
  void Finish();
  // The next complete line, or nothing until more bytes (or the end) arrive.
  std::optional<std::string> Next();
  // How the first line ended: "\r\n", "\r" or "\n"; empty until it has ended (a CR counts once
  // the byte after it has arrived, or the stream has ended).
  std::string_view FirstLineEnd() const;

 private:
  std::string pending_;
  // Where the next line starts in pending_.
  size_t start_ = 0;
  // The next LF at or after start_ as last searched for (npos: none has arrived).
  size_t lineFeed_ = 0;
  bool lineFeedKnown_ = false;
  bool finished_ = false;
  // A CR ended the previous line; an LF right after it belongs to that end.
  bool afterCarriageReturn_ = false;
  std::string_view firstLineEnd_;
  // The first line ended at a CR whose next byte has not arrived yet.
  bool firstEndAwaitsByte_ = false;
};

}  // namespace zarvelin
