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

// Runs, in directory, a copy of the built program kept in directory/bin (made on the first run), so
// that what the program writes beside itself (Error.log) stays in the test's directory. Arguments
// are passed as they are; no shell reads them.
// Variables in `environment` ("NAME=VALUE") are set for the run, over the test's own.
ProgramRun RunZarvelin(const std::string& directory, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {});

}  // namespace zarvelin::fakes
