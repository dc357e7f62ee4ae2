#pragma once

#include <memory>

#include "cli/Commands.h"

namespace zarvelin::cli {

// The program's command line, whatever session stands behind it: its description and version,
// the options every session has, the commands, and the exit status of a run. Each platform's
// main adds its own options, then runs.
class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CLI::App& Options() { return *app_; }
  // Whether questions a message box asks are answered Yes (--yes).
  bool AnswerYes() const { return answerYes_; }

  // Parses the arguments (UTF-8) and runs the command they name on the context's session.
  // Answers the exit status: 0 done, 1 refused or failed, 2 a failure no command reported;
  // a mistake in the arguments gets the parser's own status and text.
  int Run(int argc, const char* const* argv, const CommandContext& context);

 private:
  // Behind a pointer, so that a main adding no option of its own need not compile the parser.
  std::unique_ptr<CLI::App> app_;
  bool answerYes_ = false;
};

}  // namespace zarvelin::cli
