#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zarvelin::filebacked {

// The lines of a component file as they were read when the component was opened, kept so that
// saving it need not read the file again: VB too saves a component from what it holds. All
// components together keep a bounded number of bytes; one past the bound is read again when saved.
class HeldLines {
 public:
  HeldLines() = default;
  ~HeldLines();
  HeldLines(const HeldLines&) = delete;
  HeldLines& operator=(const HeldLines&) = delete;

  // Keeps the lines if the bound leaves room for them.
  void Keep(std::vector<std::string> lines);
  // The lines kept, handed over; nothing when none are.
  std::optional<std::vector<std::string>> Take();

 private:
  std::optional<std::vector<std::string>> lines_;
  size_t bytes_ = 0;
};

}  // namespace zarvelin::filebacked
