#pragma once

#include <string>
#include <vector>

namespace zarvelin::fakes {

// One run of the zarvelin program.
struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs, in directory, a copy of the built program kept in directory/bin (made on the first run),
// with directory as its HOME and no desktop (no DISPLAY, WAYLAND_DISPLAY or XDG_* variable of the
// test's own), so that what it keeps per user stays there and nothing reaches the developer's
// desktop. Arguments are passed as they are; no shell reads them.
// Variables in `environment` ("NAME=VALUE") are set for the run, over the test's own. Standard
// output goes to `output` when given (a device such as /dev/full), and is then not read back.
// With errorsOnTerminal, standard error is a pseudo-terminal of 80 columns passing bytes as they
// are written (no line-end translation), and err holds what the terminal received.
ProgramRun RunZarvelin(const std::string& directory, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {},
                       const std::string& output = {}, bool errorsOnTerminal = false);

}  // namespace zarvelin::fakes
