#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarvelin::hostile {

// One run of the zarvelin program: its exit status and everything it wrote.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program (the one named by $ZARVELIN, else the one built beside this test program) in
// the working directory cwd, the arguments passed as they are.
Outcome RunZarvelin(const std::vector<std::string>& arguments, const std::string& cwd);

// A fresh host directory for one case, removed with everything in it at the end.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::string Path(std::string_view relative = {}) const;
  // Writes the bytes, making missing parent directories.
  void Write(std::string_view relative, std::string_view bytes) const;
  // The file's bytes; empty when it cannot be read.
  std::string Read(std::string_view relative) const;

 private:
  std::string root_;
};

}  // namespace zarvelin::hostile
