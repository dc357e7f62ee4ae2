#include "cli/Program.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "runtime/App.h"
#include "runtime/Formats.h"

namespace zarvelin::cli {
namespace {

std::string TitleAndVersion(const AppFacts& facts) {
  return facts.title + " " + FormatVersion(facts.major, facts.minor, facts.revision);
}

}  // namespace

Program::Program(const CodePages& codePages)
    : app_(std::make_unique<CLI::App>()), codePages_(codePages) {
  const AppFacts facts;
  app_->description(TitleAndVersion(facts) + ": " + facts.comments + ", without the IDE.");
  app_->name("zarvelin");
  app_->set_version_flag("--version", TitleAndVersion(facts));
  app_->require_subcommand(1);
  // A path such as /projects/App.vbp is an argument on every system, never a Windows-style
  // option; the commands made later inherit this.
  app_->allow_windows_style_options(false);
  app_->add_flag("--yes", answerYes_,
                 "Answer Yes to the questions a message box asks (default: No, since nobody can "
                 "answer them in a script)");
  app_->add_option("--code-page", codePageName_,
                   "Code page the project's files are written in: a Windows number (932, 1251 "
                   "...) or a name the system's converter knows; auto (the default) takes 1252 "
                   "unless the project's names find their files only in another common one")
      ->check([this](const std::string& name) { return UnknownCodePage(codePages_, name); });
}

Program::~Program() = default;

void Program::UseCodePageOf(const std::string& vbpFile) {
  codePageInstalled_.reset();
  codePage_ = CodePageFor(codePages_, codePageName_, vbpFile, std::cerr);
  codePageInstalled_.emplace(*codePage_);
}

int Program::Run(int argc, const char* const* argv, const CommandContext& context) {
  RegisterShowCommand(*app_, context);
  RegisterSetCommand(*app_, context);
  RegisterCopyCommand(*app_, context);
  RegisterVerifyCommand(*app_, context);
  RegisterAboutCommand(*app_, context);
  RegisterSettingsCommand(*app_, context);
  try {
    app_->parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app_->exit(error);
  } catch (const std::exception& error) {
    std::cerr << "zarvelin: " << error.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace zarvelin::cli
