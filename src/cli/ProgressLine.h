#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>

namespace zarvelin::cli {

// One line on a terminal, redrawn in place with a carriage return. While it stands, the stream
// it is drawn on passes through it, so whatever else is written there (a message, an error
// report) first clears the line instead of being glued to it. The stream is given back when the
// line goes, cleared.
class ProgressLine : private std::streambuf {
 public:
  explicit ProgressLine(std::ostream& terminal);
  ~ProgressLine() override;
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Draw(const std::string& line);
  void Clear();

 private:
  int_type overflow(int_type character) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

  std::ostream& terminal_;
  std::streambuf* target_;
  size_t shown_ = 0;
};

}  // namespace zarvelin::cli
