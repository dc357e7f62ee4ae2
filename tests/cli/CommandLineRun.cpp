#include "CommandLineRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <stdexcept>

extern char** environ;

namespace zarvelin {
namespace {

// The build puts the program at src/cli/zarvelin and this test program at tests/.
std::string ProgramPath() {
  std::array<char, 4096> self{};
  const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
  if (length <= 0) throw std::runtime_error("cannot find the test program");
  std::string directory(self.data(), static_cast<size_t>(length));
  directory.erase(directory.find_last_of('/'));
  return directory + "/../src/cli/zarvelin";
}

std::string Drain(int descriptor) {
  std::string text;
  std::array<char, 4096> buffer{};
  ssize_t got = 0;
  while ((got = read(descriptor, buffer.data(), buffer.size())) > 0) {
    text.append(buffer.data(), static_cast<size_t>(got));
  }
  close(descriptor);
  return text;
}

}  // namespace

CommandLineRun RunZarvelin(const std::vector<std::string>& arguments) {
  const std::string program = ProgramPath();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  // Output goes to files rather than pipes so that a large listing cannot block the child.
  char outName[] = "/tmp/zarvelin-cli-out-XXXXXX";
  char errName[] = "/tmp/zarvelin-cli-err-XXXXXX";
  const int out = mkstemp(outName);
  const int err = mkstemp(errName);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  pid_t child = 0;
  CommandLineRun run;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  lseek(out, 0, SEEK_SET);
  lseek(err, 0, SEEK_SET);
  run.out = Drain(out);
  run.err = Drain(err);
  unlink(outName);
  unlink(errName);
  return run;
}

}  // namespace zarvelin
