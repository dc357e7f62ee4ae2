#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "forms/Form.h"
#include "runtime/Formats.h"
#include "runtime/Runtime.h"
#include "ui/frmAbout.h"

namespace zarvelin::cli {
namespace {

// The file-time label before the box found a time to show.
constexpr std::string_view kNoFileTime = "File Time:";

}  // namespace

void ShowAbout(const std::string& runningProgram, std::ostream& out) {
  // The box centres over whoever opens it; here that is a window of no size.
  forms::FormDesign callerDesign;
  callerDesign.name = "zarvelin";
  forms::Form caller(callerDesign);
  frmAbout about;
  about.fCallingForm = &caller;
  about.Load();
  about.Activate();

  std::string program = about.Ctl("lblPath").ToolTipText();
  std::string fileTime = about.Ctl("lblFileTime").Caption();
  const std::string system = about.Ctl("lbInfo").Caption();
  if (program.empty()) program = runningProgram;
  // The box tells the time of the add-in's file only: a program's own is told here.
  if (fileTime == kNoFileTime && !program.empty()) {
    fileTime = std::string(kNoFileTime) + " " + GeneralDateTime(Files().LastModified(program));
  }
  out << about.Ctl("lbProgram").Caption() << '\n'
      << about.Ctl("lbVersion").Caption() << '\n'
      << about.Ctl("lbComment").Caption() << '\n'
      << about.Ctl("lbCopyright").Caption() << '\n'
      << system << '\n'
      << "Program: " << program << '\n'
      << fileTime << '\n';
  about.Unload();
}

void RegisterAboutCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* about = app.add_subcommand(
      "about", "Show what the about box shows: version, operating system, program file");
  about->callback([context] {
    context.startSession();
    ShowAbout(context.runningProgram(), *context.out);
  });
}

}  // namespace zarvelin::cli
