#include "host/HostApp.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace zarvelin::host {
namespace {

// The running program's file; empty when the host does not say.
std::string ProgramFile() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) return {};
  path.resize(static_cast<size_t>(length));
  return path;
}

// The directory of a program file; the current directory for no file.
std::string DirectoryOf(const std::string& file) {
  const auto slash = file.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

// Where a user's programs keep what they leave behind: $XDG_STATE_HOME, else ~/.local/state.
std::string StateDirectory() {
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') return state;
  if (const char* home = std::getenv("HOME"); home && *home == '/')
    return std::string(home) + "/.local/state";
  return {};
}

}  // namespace

AppFacts HostAppFacts(const PathMapper& paths) {
  AppFacts facts;
  const std::string program = ProgramFile();
  facts.path = paths.ToVb(DirectoryOf(program));
  facts.exeName = "Zarvelin";
  if (!program.empty()) facts.programFile = paths.ToVb(program);
  // An installed program's directory is not the user's to write: the report goes where the user
  // keeps state, and only without a home beside the program.
  if (const std::string state = StateDirectory(); !state.empty())
    facts.errorLog = paths.ToVb(state + "/zarvelin/Error.log");
  return facts;
}

}  // namespace zarvelin::host
