#include <CLI/CLI.hpp>
#include <cctype>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/terminal/TerminalSession.h"
#include "cli/Commands.h"
#include "runtime/App.h"
#include "runtime/Formats.h"
#include "runtime/Service.h"

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

}  // namespace

int main(int argc, char** argv) {
  const zarvelin::AppFacts facts;
  CLI::App app{facts.title + " " +
                   zarvelin::FormatVersion(facts.major, facts.minor, facts.revision) + ": " +
                   facts.comments + ", without the IDE.",
               "zarvelin"};
  app.set_version_flag(
      "--version",
      facts.title + " " + zarvelin::FormatVersion(facts.major, facts.minor, facts.revision));
  app.require_subcommand(1);

  SessionOptions options;
  std::vector<std::string> drives;
  app.add_option("--drive", drives,
                 "Map a drive letter to a host directory, as Wine does (D=/mnt/cdrom); Z: is /")
      ->type_name("LETTER=DIR");
  std::string codePageName(zarvelin::cli::kAutoCodePage);
  app.add_option("--code-page", codePageName,
                 "Code page the project's files are written in: a Windows number (932, 1251 ...) "
                 "or an iconv name; auto (the default) takes 1252 unless the project's names "
                 "find their files only in another common one")
      ->check(zarvelin::cli::UnknownCodePage);
  bool answerYes = false;
  app.add_flag("--yes", answerYes,
               "Answer Yes to the questions a message box asks (default: No, since nobody can "
               "answer them in a script)");

  // The session starts once the options are known, before the first command reads a path.
  std::optional<TerminalSession> session;
  auto startSession = [&]() -> TerminalSession& {
    if (!session) {
      for (const auto& drive : drives) {
        if (!AddDrive(drive, options)) throw CLI::ValidationError("--drive", "expected LETTER=DIR");
      }
      if (answerYes) options.terminal.yesNoAnswer = zarvelin::mb::kAnswerYes;
      session.emplace(options);
    }
    return *session;
  };

  // The project's code page, installed for the commands that read it; it goes before the session.
  std::unique_ptr<zarvelin::CodePage> codePage;
  std::optional<zarvelin::ScopedService<const zarvelin::CodePage>> codePageInstalled;

  zarvelin::cli::CommandContext context;
  context.startSession = [&] { startSession(); };
  context.toVbPath = [&](const std::string& hostPath) {
    return startSession().Paths().ToVb(hostPath);
  };
  context.useCodePageOf = [&](const std::string& vbpFile) {
    startSession();
    codePageInstalled.reset();
    codePage = zarvelin::cli::CodePageFor(codePageName, vbpFile, std::cerr);
    codePageInstalled.emplace(*codePage);
  };
  context.out = &std::cout;

  zarvelin::cli::RegisterShowCommand(app, context);
  zarvelin::cli::RegisterSetCommand(app, context);
  zarvelin::cli::RegisterCopyCommand(app, context);
  zarvelin::cli::RegisterAboutCommand(app, context);
  zarvelin::cli::RegisterSettingsCommand(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  } catch (const std::exception& error) {
    std::cerr << "zarvelin: " << error.what() << "\n";
    return 2;
  }
  return 0;
}
