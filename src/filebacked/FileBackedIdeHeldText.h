#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zarvelin::filebacked {

// The text of a component file as it was read when the component was opened, kept so that
// saving it need not read the file again: VB too saves a component from what it holds. It is
// kept as the IDE writes it, each line CR LF ended, in one piece. All components together keep a
// bounded number of bytes; one past the bound is read again when saved.
class HeldText {
 public:
  HeldText() = default;
  ~HeldText();
  HeldText(const HeldText&) = delete;
  HeldText& operator=(const HeldText&) = delete;

  // Keeps the text if the bound leaves room for it.
  void Keep(std::string text);
  // The text kept, handed over; nothing when none is.
  std::optional<std::string> Take();

 private:
  std::optional<std::string> text_;
  size_t bytes_ = 0;
};

}  // namespace zarvelin::filebacked
