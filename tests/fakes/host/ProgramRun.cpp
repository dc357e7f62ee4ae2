#include "ProgramRun.h"

#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace zarvelin::fakes {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ProgramRun RunZarvelin(const std::string& directory, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& extra, const std::string& output,
                       bool errorsOnTerminal) {
  const std::string program = directory + "/bin/zarvelin";
  std::filesystem::create_directories(directory + "/bin");
  std::filesystem::copy_file(ZARVELIN_PROGRAM, program,
                             std::filesystem::copy_options::skip_existing);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  // Output goes to files rather than pipes so that a large listing cannot block the child.
  const std::string outPath = output.empty() ? directory + "/bin/out" : output;
  const std::string errPath = directory + "/bin/err";
  // The run has a home of its own: settings, the error log and anything else the program keeps
  // per user stay in the test's directory, and with no desktop to name it cannot reach the
  // developer's clipboard, mail or windows.
  std::vector<std::string> environment = extra;
  environment.push_back("HOME=" + directory);
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string entry = *variable;
    const std::string name = entry.substr(0, entry.find('='));
    const bool given = std::any_of(extra.begin(), extra.end(), [&](const std::string& set) {
      return set.substr(0, set.find('=')) == name;
    });
    const bool personal = name == "HOME" || name.starts_with("XDG_") || name == "DISPLAY" ||
                          name == "WAYLAND_DISPLAY";
    if (!given && !personal) environment.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  int terminal = -1;
  int terminalSide = -1;
  if (errorsOnTerminal) {
    termios raw{};
    cfmakeraw(&raw);
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 24;
    openpty(&terminal, &terminalSide, nullptr, &raw, &size);
    posix_spawn_file_actions_adddup2(&actions, terminalSide, 2);
  } else {
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
  }
  pid_t child = 0;
  ProgramRun run;
  const bool started =
      posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0;
  if (errorsOnTerminal) {
    close(terminalSide);
    // The terminal reads as failed (EIO) once the program has ended and closed it.
    char buffer[4096];
    for (ssize_t got; started && (got = read(terminal, buffer, sizeof buffer)) > 0;) {
      run.err.append(buffer, static_cast<size_t>(got));
    }
    close(terminal);
  }
  if (started) {
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (output.empty()) run.out = Slurp(outPath);
  if (!errorsOnTerminal) run.err = Slurp(errPath);
  return run;
}

}  // namespace zarvelin::fakes
