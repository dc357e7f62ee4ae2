#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvelin {

// Cuts a byte stream into lines as Line Input does: a line ends at CR, at CR LF or at LF, and the
// last line may lack an end. Bytes are kept as they are (NUL and bytes above 127 included). The
// stream comes in pieces of any size; only the unfinished line and the lines of the last piece
// are held.
class LineSplitter {
 public:
  // Takes the next bytes of the stream.
  void Feed(std::string_view bytes);
  // Marks the end of the stream: an unfinished last line becomes a line.
  void Finish();
  // The next complete line, or nothing until more bytes (or the end) arrive.
  std::optional<std::string> Next();

 private:
  std::string current_;
  // The lines of the last piece, handed out from next_ on; most files come in one piece.
  std::vector<std::string> ready_;
  size_t next_ = 0;
  // A CR ended the previous line; an LF right after it belongs to that end.
  bool afterCarriageReturn_ = false;
};

}  // namespace zarvelin
