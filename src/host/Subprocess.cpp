#include "host/Subprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace zarvelin::host {
namespace {

std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
  std::vector<char*> vector;
  for (const auto& argument : arguments) vector.push_back(const_cast<char*>(argument.c_str()));
  vector.push_back(nullptr);
  return vector;
}

bool IsExecutable(const std::string& path) {
  return access(path.c_str(), X_OK) == 0;
}

std::optional<int> WaitFor(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return std::nullopt;
  }
  if (!WIFEXITED(status)) return std::nullopt;
  return WEXITSTATUS(status);
}

class Pipe {
 public:
  Pipe() {
    if (pipe(ends_) != 0) {
      ends_[0] = ends_[1] = -1;
      return;
    }
    // Neither end may leak into the program beyond the one it is given as its input or output.
    fcntl(ends_[0], F_SETFD, FD_CLOEXEC);
    fcntl(ends_[1], F_SETFD, FD_CLOEXEC);
  }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool Ok() const { return ends_[0] >= 0; }
  int Read() const { return ends_[0]; }
  int Write() const { return ends_[1]; }
  void CloseRead() { CloseEnd(0); }
  void CloseWrite() { CloseEnd(1); }

 private:
  void CloseEnd(int which) {
    if (ends_[which] >= 0) close(ends_[which]);
    ends_[which] = -1;
  }
  int ends_[2];
};

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  void Duplicate(int from, int to) { posix_spawn_file_actions_adddup2(&actions_, from, to); }
  void NullDevice(int to, int flags) {
    posix_spawn_file_actions_addopen(&actions_, to, "/dev/null", flags, 0);
  }
  const posix_spawn_file_actions_t* Get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

std::optional<pid_t> Spawn(const std::vector<std::string>& arguments, const SpawnActions& actions) {
  if (arguments.empty()) return std::nullopt;
  const auto program = FindProgram(arguments.front());
  if (!program) return std::nullopt;
  std::vector<char*> vector = ArgumentVector(arguments);
  pid_t child = 0;
  if (posix_spawn(&child, program->c_str(), actions.Get(), nullptr, vector.data(), environ) != 0) {
    return std::nullopt;
  }
  return child;
}

// Writes to a pipe whose reader may have gone: the write then fails with EPIPE instead of the
// signal ending this process. Everything runs on one thread, so the disposition can be swapped.
void WriteIgnoringBrokenPipe(int descriptor, std::string_view bytes) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  struct sigaction previous {};
  sigaction(SIGPIPE, &ignore, &previous);
  while (!bytes.empty()) {
    const ssize_t count = write(descriptor, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  sigaction(SIGPIPE, &previous, nullptr);
}

}  // namespace

std::optional<std::string> FindProgram(std::string_view name) {
  if (name.empty()) return std::nullopt;
  const std::string wanted(name);
  if (wanted.find('/') != std::string::npos) {
    return IsExecutable(wanted) ? std::optional(wanted) : std::nullopt;
  }
  const char* path = std::getenv("PATH");
  const std::string_view directories = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t at = 0;
  while (at <= directories.size()) {
    const size_t end = std::min(directories.find(':', at), directories.size());
    const std::string directory(directories.substr(at, end - at));
    at = end + 1;
    if (directory.empty()) continue;
    const std::string candidate = directory + "/" + wanted;
    if (IsExecutable(candidate)) return candidate;
  }
  return std::nullopt;
}

bool SpawnDetached(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  const auto program = FindProgram(arguments.front());
  if (!program) return false;
  std::vector<char*> vector = ArgumentVector(arguments);
  const int nullDevice = open("/dev/null", O_RDONLY | O_CLOEXEC);
  // Two forks: the middle process ends at once and is reaped here; the program is adopted by
  // init, so it is neither waited for nor left as a zombie. Only async-signal-safe calls follow
  // the fork.
  const pid_t middle = fork();
  if (middle < 0) {
    if (nullDevice >= 0) close(nullDevice);
    return false;
  }
  if (middle == 0) {
    setsid();
    const pid_t programProcess = fork();
    if (programProcess == 0) {
      if (nullDevice >= 0) dup2(nullDevice, STDIN_FILENO);
      execve(program->c_str(), vector.data(), environ);
      _exit(127);
    }
    _exit(programProcess > 0 ? 0 : 1);
  }
  if (nullDevice >= 0) close(nullDevice);
  return WaitFor(middle) == 0;
}

std::optional<int> RunWithInput(const std::vector<std::string>& arguments, std::string_view input) {
  Pipe in;
  if (!in.Ok()) return std::nullopt;
  SpawnActions actions;
  actions.Duplicate(in.Read(), STDIN_FILENO);
  actions.NullDevice(STDOUT_FILENO, O_WRONLY);
  const auto child = Spawn(arguments, actions);
  if (!child) return std::nullopt;
  in.CloseRead();
  WriteIgnoringBrokenPipe(in.Write(), input);
  in.CloseWrite();
  return WaitFor(*child);
}

std::optional<std::string> RunForOutput(const std::vector<std::string>& arguments) {
  Pipe out;
  if (!out.Ok()) return std::nullopt;
  SpawnActions actions;
  actions.NullDevice(STDIN_FILENO, O_RDONLY);
  actions.Duplicate(out.Write(), STDOUT_FILENO);
  const auto child = Spawn(arguments, actions);
  if (!child) return std::nullopt;
  out.CloseWrite();
  std::string output;
  char piece[4096];
  for (;;) {
    const ssize_t count = read(out.Read(), piece, sizeof piece);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    output.append(piece, static_cast<size_t>(count));
  }
  if (WaitFor(*child) != 0) return std::nullopt;
  return output;
}

}  // namespace zarvelin::host
