#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/terminal/TerminalSession.h"
#include "cli/Program.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace {

using zarvelin::app::SessionOptions;
using zarvelin::app::TerminalSession;

// "D=/mnt/cdrom": drive letter D is the host directory /mnt/cdrom.
bool AddDrive(const std::string& mapping, SessionOptions& options) {
  if (mapping.size() < 3 || mapping[1] != '=' ||
      !std::isalpha(static_cast<unsigned char>(mapping[0])))
    return false;
  options.paths.drives[mapping[0]] = mapping.substr(2);
  return true;
}

// Help is wrapped to the terminal it is read on; written to a file or a pipe, to 80 columns.
size_t HelpWidth() {
  constexpr size_t kNoTerminal = 80;
  winsize size{};
  if (isatty(STDOUT_FILENO) == 0 || ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 ||
      size.ws_col == 0)
    return kNoTerminal;
  return size.ws_col;
}

// Why a --drive value maps nothing usable, or nothing.
std::string UnusableDrive(const std::string& mapping) {
  if (mapping.size() < 3 || mapping[1] != '=' ||
      !std::isalpha(static_cast<unsigned char>(mapping[0])))
    return "expected LETTER=DIR, such as D=/mnt/cdrom";
  std::error_code unknown;
  if (!std::filesystem::is_directory(mapping.substr(2), unknown))
    return mapping.substr(2) + " is no directory";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) must fail the write that reaches it, which then reports it as a
  // full disk naming the file, rather than end the program with a half-written file in place.
  signal(SIGXFSZ, SIG_IGN);
  zarvelin::cli::Program program(zarvelin::app::HostCodePages(), HelpWidth());
  CLI::App& app = program.Options();

  SessionOptions options;
  std::vector<std::string> drives;
  app.add_option("--drive", drives,
                 "Map a drive letter to a host directory, as Wine does (D=/mnt/cdrom); Z: is /")
      ->type_name("LETTER=DIR")
      ->check(UnusableDrive);

  // The session starts once the options are known, before the first command reads a path.
  std::optional<TerminalSession> session;
  auto startSession = [&]() -> TerminalSession& {
    if (!session) {
      for (const auto& drive : drives) {
        if (!AddDrive(drive, options)) throw CLI::ValidationError("--drive", "expected LETTER=DIR");
      }
      const zarvelin::cli::GlobalOptions& globals = program.Globals();
      if (globals.answerYes) options.terminal.yesNoAnswer = zarvelin::mb::kAnswerYes;
      options.terminal.mirrorClipboard = globals.clipboard;
      options.terminal.openMail = globals.clipboard;
      session.emplace(options);
    }
    return *session;
  };

  zarvelin::cli::CommandContext context;
  context.startSession = [&] { startSession(); };
  context.toVbPath = [&](const std::string& hostPath) {
    return startSession().Paths().ToVb(hostPath);
  };
  context.toHostPath = [&](const std::string& vbPath) {
    try {
      return startSession().Paths().ToHost(vbPath);
    } catch (const zarvelin::VbError&) {
      // A drive nobody mapped: the VB path is the only name there is.
      return vbPath;
    }
  };
  context.runningProgram = [&] {
    // Where the host does not say which file is running, the about box's own findings stand.
    std::error_code unknown;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", unknown);
    return unknown ? std::string() : startSession().Paths().ToVb(self.string());
  };
  context.useCodePageOf = [&](const std::string& vbpFile) {
    startSession();
    program.UseCodePageOf(vbpFile);
  };
  context.out = &std::cout;
  context.stderrIsTerminal = isatty(STDERR_FILENO) != 0;
  return program.Run(argc, argv, context);
}
