#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "runtime/CodePage.h"
#include "runtime/Service.h"

namespace zarvelin::cli {

// The program's command line, whatever session stands behind it: its description and version,
// the options every session has, the commands, and the exit status of a run. Each platform's
// main adds its own options, then runs.
class Program {
 public:
  // Exit statuses: the work was done, the work failed, the command line was mistaken.
  static constexpr int kDone = 0;
  static constexpr int kFailed = 1;
  static constexpr int kUsage = 2;

  // codePages: the converters this system has, which --code-page names. helpWidth: the columns
  // help is wrapped to (the terminal's, or 80 when output is no terminal).
  Program(const CodePages& codePages, size_t helpWidth);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CLI::App& Options() { return *app_; }
  // The options every command takes, as parsed; valid once a command runs.
  const GlobalOptions& Globals() const { return globals_; }
  // Installs the code page --code-page names, or for auto the one vbpFile's names call for,
  // in place of the previous project's.
  void UseCodePageOf(const std::string& vbpFile);

  // Parses the arguments (UTF-8) and runs the command they name on the context's session.
  // Answers kDone, kFailed when the command refused or failed, kUsage for any mistake in the
  // arguments, which is told on standard error with the nearest right word where there is one.
  int Run(int argc, const char* const* argv, CommandContext context);

 private:
  void RegisterHelpCommand(std::ostream& out);
  int UsageMistake(const std::string& what) const;
  std::vector<std::string> CommandNames() const;
  std::vector<std::string> OptionNames() const;
  CLI::App* ChosenCommand() const;

  // Behind a pointer, so that a main adding no option of its own need not compile the parser.
  std::unique_ptr<CLI::App> app_;
  GlobalOptions globals_;
  const CodePages& codePages_;
  std::string codePageName_{kAutoCodePage};
  std::unique_ptr<CodePage> codePage_;
  std::optional<ScopedService<const CodePage>> codePageInstalled_;
};

}  // namespace zarvelin::cli
