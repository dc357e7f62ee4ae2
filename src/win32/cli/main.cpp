#include <io.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Program.h"
#include "platform/Platform.h"
#include "win32/WideText.h"
#include "win32/WinCodePages.h"
#include "win32/cli/ConsoleSession.h"
#include "win32/cli/Utf8Console.h"

// zarvelin.exe: the command-line program on Windows. The arguments come as UTF-16, so a name in
// any script reaches the commands intact whatever the system's ANSI code page is.
int wmain(int argc, wchar_t** argv) {
  using zarvelin::win32::ConsoleSession;
  const zarvelin::win32::Utf8Console console;

  std::vector<std::string> arguments;
  // Not a BSTR: no length before the text, so as a plain NUL-terminated string.
  for (int index = 0; index < argc; ++index) {
    arguments.push_back(zarvelin::win32::Narrow(std::wstring_view(argv[index])));
  }
  std::vector<const char*> utf8;
  for (const std::string& argument : arguments) utf8.push_back(argument.c_str());

  const zarvelin::win32::WinCodePages codePages;
  zarvelin::cli::Program program(codePages, zarvelin::win32::ConsoleWidth());
  // The session starts once the options are known, before the first command reads a path.
  std::optional<ConsoleSession> session;
  auto startSession = [&] {
    if (!session) {
      const zarvelin::cli::GlobalOptions& globals = program.Globals();
      session.emplace(globals.answerYes ? zarvelin::mb::kAnswerYes : zarvelin::mb::kAnswerNo,
                      globals.clipboard);
    }
  };
  zarvelin::cli::CommandContext context;
  context.startSession = startSession;
  context.toVbPath = [&](const std::string& typed) {
    startSession();
    return ConsoleSession::ToVb(typed);
  };
  // Windows paths are what the user types and reads.
  context.toHostPath = [](const std::string& vbPath) { return vbPath; };
  context.runningProgram = [] { return ConsoleSession::ProgramFile(); };
  context.useCodePageOf = [&](const std::string& vbpFile) {
    startSession();
    program.UseCodePageOf(vbpFile);
  };
  context.out = &std::cout;
  context.stderrIsTerminal = _isatty(_fileno(stderr)) != 0;
  return program.Run(argc, utf8.data(), context);
}
