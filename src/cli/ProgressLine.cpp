#include "cli/ProgressLine.h"

#include <algorithm>

namespace zarvelin::cli {

ProgressLine::ProgressLine(std::ostream& terminal)
    : terminal_(terminal), target_(terminal.rdbuf(this)) {}

ProgressLine::~ProgressLine() {
  Clear();
  terminal_.rdbuf(target_);
}

void ProgressLine::Draw(const std::string& line) {
  // Blanks cover what a longer line before it left; the cursor stays at the line's end.
  std::string drawn = "\r" + line;
  if (line.size() < shown_) drawn.append(shown_ - line.size(), ' ');
  target_->sputn(drawn.data(), static_cast<std::streamsize>(drawn.size()));
  target_->pubsync();
  shown_ = std::max(shown_, line.size());
}

void ProgressLine::Clear() {
  if (shown_ == 0) return;
  const std::string blank = "\r" + std::string(shown_, ' ') + "\r";
  target_->sputn(blank.data(), static_cast<std::streamsize>(blank.size()));
  target_->pubsync();
  shown_ = 0;
}

ProgressLine::int_type ProgressLine::overflow(int_type character) {
  Clear();
  if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(0);
  return target_->sputc(traits_type::to_char_type(character));
}

std::streamsize ProgressLine::xsputn(const char* text, std::streamsize count) {
  Clear();
  return target_->sputn(text, count);
}

int ProgressLine::sync() {
  return target_->pubsync();
}

}  // namespace zarvelin::cli
