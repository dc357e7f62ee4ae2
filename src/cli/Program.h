#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "runtime/CodePage.h"
#include "runtime/Service.h"

namespace zarvelin::cli {

// The program's command line, whatever session stands behind it: its description and version,
// the options every session has, the commands, and the exit status of a run. Each platform's
// main adds its own options, then runs.
class Program {
 public:
  // codePages: the converters this system has, which --code-page names.
  explicit Program(const CodePages& codePages);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CLI::App& Options() { return *app_; }
  // Whether questions a message box asks are answered Yes (--yes).
  bool AnswerYes() const { return answerYes_; }
  // Installs the code page --code-page names, or for auto the one vbpFile's names call for,
  // in place of the previous project's.
  void UseCodePageOf(const std::string& vbpFile);

  // Parses the arguments (UTF-8) and runs the command they name on the context's session.
  // Answers the exit status: 0 done, 1 refused or failed, 2 a failure no command reported;
  // a mistake in the arguments gets the parser's own status and text.
  int Run(int argc, const char* const* argv, const CommandContext& context);

 private:
  // Behind a pointer, so that a main adding no option of its own need not compile the parser.
  std::unique_ptr<CLI::App> app_;
  bool answerYes_ = false;
  const CodePages& codePages_;
  std::string codePageName_{kAutoCodePage};
  std::unique_ptr<CodePage> codePage_;
  std::optional<ScopedService<const CodePage>> codePageInstalled_;
};

}  // namespace zarvelin::cli
