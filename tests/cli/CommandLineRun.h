#pragma once

#include <string>
#include <vector>

namespace zarvelin {

// One run of the built zarvelin program.
struct CommandLineRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the zarvelin program built beside this test program with the given arguments, passed as
// they are (no shell reads them).
CommandLineRun RunZarvelin(const std::vector<std::string>& arguments);

}  // namespace zarvelin
