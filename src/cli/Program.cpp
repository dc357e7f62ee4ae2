#include "cli/Program.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "cli/HelpFormatter.h"
#include "cli/HelpText.h"
#include "runtime/App.h"
#include "runtime/Formats.h"

namespace zarvelin::cli {
namespace {

std::string TitleAndVersion(const AppFacts& facts) {
  return facts.title + " " + FormatVersion(facts.major, facts.minor, facts.revision);
}

std::string Suggestion(std::string_view typed, const std::vector<std::string>& candidates) {
  const std::optional<std::string> closest = Closest(typed, candidates);
  return closest ? "; did you mean " + *closest + "?" : std::string();
}

}  // namespace

Program::Program(const CodePages& codePages, size_t helpWidth)
    : app_(std::make_unique<CLI::App>()), codePages_(codePages) {
  const AppFacts facts;
  app_->description(TitleAndVersion(facts) + ": " + facts.comments +
                    ", without the IDE. Exit status: 0 done, 1 the work failed, 2 a mistake in "
                    "the command line.");
  app_->name("zarvelin");
  // Commands made later take the layout and let the options below follow their own name.
  app_->formatter(std::make_shared<HelpFormatter>(helpWidth));
  app_->fallthrough();
  app_->set_version_flag("-V,--version", TitleAndVersion(facts), "Print the version and stop");
  app_->set_help_flag("-h,--help", "Print this help and stop");
  app_->require_subcommand(1);
  // A path such as /projects/App.vbp is an argument on every system, never a Windows-style
  // option; the commands made later inherit this.
  app_->allow_windows_style_options(false);
  app_->add_flag("-q,--quiet", globals_.quiet,
                 "Print results and errors only: no progress and no closing message");
  app_->add_flag("-v,--verbose", globals_.verbose, "Name each file as it is written");
  app_->add_flag("--yes", globals_.answerYes,
                 "Answer Yes to the questions a message box asks (default: No, since nobody can "
                 "answer them in a script)");
  app_->add_flag("--clipboard", globals_.clipboard,
                 "Put an error report on the desktop's clipboard too, and let it open a mail "
                 "(default: the report goes to the error log only)");
  app_->add_option("--code-page", codePageName_,
                   "Code page the project's files are written in: a Windows number (932, 1251 "
                   "...) or a name the system's converter knows; auto (the default) takes 1252 "
                   "unless the project's names find their files only in another common one")
      ->type_name("NAME")
      ->check([this](const std::string& name) { return UnknownCodePage(codePages_, name); });
}

Program::~Program() = default;

void Program::UseCodePageOf(const std::string& vbpFile) {
  codePageInstalled_.reset();
  codePage_ = CodePageFor(codePages_, codePageName_, vbpFile, std::cerr);
  codePageInstalled_.emplace(*codePage_);
}

int Program::Run(int argc, const char* const* argv, CommandContext context) {
  context.options = &globals_;
  RegisterShowCommand(*app_, context);
  RegisterSetCommand(*app_, context);
  RegisterCopyCommand(*app_, context);
  RegisterVerifyCommand(*app_, context);
  RegisterAboutCommand(*app_, context);
  RegisterSettingsCommand(*app_, context);
  RegisterHelpCommand(*context.out);
  for (CLI::App* command : app_->get_subcommands({})) command->group("Commands");
  if (argc <= 1) {
    std::cerr << app_->help();
    return kUsage;
  }
  try {
    app_->parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    *context.out << app_->help();
    return kDone;
  } catch (const CLI::CallForVersion&) {
    *context.out << TitleAndVersion(AppFacts()) << '\n';
    return kDone;
  } catch (const CLI::RuntimeError& failed) {
    // A command's own status: it has told what went wrong.
    return failed.get_exit_code();
  } catch (const CLI::ParseError& mistake) {
    return UsageMistake(mistake.what());
  } catch (const std::exception& error) {
    std::cerr << "zarvelin: " << error.what() << "\n";
    return kFailed;
  }
  return kDone;
}

void Program::RegisterHelpCommand(std::ostream& out) {
  CLI::App* help = app_->add_subcommand("help", "Print the help of the program or of a command");
  auto command = std::make_shared<std::string>();
  help->add_option("command", *command, "The command to explain")->type_name("COMMAND");
  help->callback([this, command, &out] {
    if (command->empty()) {
      // The parser's own help would explain the command chosen: this one.
      out << app_->get_formatter()->make_help(app_.get(), "zarvelin", CLI::AppFormatMode::Normal);
      return;
    }
    CLI::App* chosen = nullptr;
    for (CLI::App* each : app_->get_subcommands({})) {
      if (each->get_name() == *command) chosen = each;
    }
    if (chosen == nullptr) {
      throw CLI::ValidationError("no command " + *command + Suggestion(*command, CommandNames()));
    }
    out << chosen->help("zarvelin");
  });
}

int Program::UsageMistake(const std::string& what) const {
  const CLI::App* command = ChosenCommand();
  const std::string who = command ? "zarvelin " + command->get_name() : "zarvelin";
  std::string said = what;
  const std::vector<std::string> left = app_->remaining(true);
  if (!left.empty()) {
    const std::string& word = left.front();
    if (word.starts_with('-')) {
      said = "unknown option " + word + Suggestion(word, OptionNames());
    } else if (command == nullptr) {
      said = "unknown command " + word + Suggestion(word, CommandNames());
    } else {
      said = "unexpected argument " + word;
    }
  } else if (command == nullptr && said == "A subcommand is required") {
    said = "a command is required";
  }
  std::cerr << who << ": " << said << "\nTry '" << who << " --help'.\n";
  return kUsage;
}

std::vector<std::string> Program::CommandNames() const {
  std::vector<std::string> names;
  for (const CLI::App* each : app_->get_subcommands({})) names.push_back(each->get_name());
  return names;
}

std::vector<std::string> Program::OptionNames() const {
  std::vector<std::string> names;
  for (const CLI::App* app : {app_.get(), ChosenCommand()}) {
    if (app == nullptr) continue;
    for (const CLI::Option* option : app->get_options()) {
      for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
      for (const std::string& name : option->get_snames()) names.push_back("-" + name);
    }
  }
  return names;
}

CLI::App* Program::ChosenCommand() const {
  const std::vector<CLI::App*> chosen = app_->get_subcommands();
  return chosen.empty() ? nullptr : chosen.front();
}

}  // namespace zarvelin::cli
