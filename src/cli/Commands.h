#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/CodePage.h"

namespace CLI {
class App;
}

namespace zarvelin {
class VbError;
}

namespace zarvelin::cli {

// The options every command takes, written before or after its name.
struct GlobalOptions {
  bool answerYes = false;  // --yes: questions a message box asks are answered Yes
  bool quiet = false;      // -q: results and errors only, no progress and no closing message
  bool verbose = false;    // -v: each file named as it is written
  bool clipboard = false;  // --clipboard: an error report also goes to the desktop's clipboard
};

// What a subcommand needs from the headless session the program set up: the session itself, the
// VB path for a host path typed on the command line, the running program's file as a VB path
// (empty where the host does not say), the code page to read a project's files in (installed
// until the next project's), where its normal output goes, and the options every command takes.
struct CommandContext {
  std::function<void()> startSession;
  std::function<std::string(const std::string& hostPath)> toVbPath;
  // The host's name of a VB path, as messages show files to the user.
  std::function<std::string(const std::string& vbPath)> toHostPath;
  std::function<std::string()> runningProgram;
  std::function<void(const std::string& vbpFile)> useCodePageOf;
  std::ostream* out = nullptr;
  const GlobalOptions* options = nullptr;
  // Whether standard error is a terminal, where progress can be redrawn in place.
  bool stderrIsTerminal = false;
};

// The --code-page value that leaves the choice to the project's names.
inline constexpr std::string_view kAutoCodePage = "auto";
// Why --code-page NAME names no code page, or nothing when it does.
std::string UnknownCodePage(const CodePages& codePages, const std::string& name);
// The code page named (a Windows number, a name the converter knows), or for "auto" the one the
// project at vbpFile calls for (see filebacked::ChooseCodePage); when none finds every file, err is
// told which file and how to name the code page.
std::unique_ptr<CodePage> CodePageFor(const CodePages& codePages, const std::string& name,
                                      const std::string& vbpFile, std::ostream& err);

// A text as VB means it: the quotes VB writes around a value (Name="P") are not part of it.
inline std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

// Whether a file (not a directory) is at the VB path.
bool IsFile(const std::string& path);

// A file or device failure in the command line's words ("no such file", "permission denied").
std::string InWords(const VbError& failure);

// The file a failure's description names ("File not found: 'Z:\p\gone.txt'"): the one the
// failing call could not reach, which may be the source of a copy rather than its target. Empty
// when it names none.
std::string FileNamedIn(const std::string& description);

// Why the file at vbpFile cannot be taken as a project file ("no such file", "it is a
// directory"), or nothing. A file that holds NUL bytes (binary, UTF-16) or no KEY=VALUE line
// before its first section is no project file.
std::optional<std::string> NotAProjectFile(const std::string& vbpFile);

// The files of the components the project lists whose names are read from their files (forms,
// user controls, property pages) that are missing: reading the project would fail on each.
std::vector<std::string> MissingComponentFiles(const std::string& vbpFile);

// The project's own KEY=VALUE lines, decoded, before its first [Section] (tools' sections follow).
std::vector<std::pair<std::string, std::string>> ProjectLines(const std::string& vbpFile);

// A project line the project-file model leaves out: designers and user documents, which the IDE
// saves with the copy, and the type and control libraries it refers to, which stay where they are.
struct ListedLine {
  std::string kind;       // the line's key: "Designer", "UserDocument", "Reference", "Object"
  std::string name;       // a library's description or class id; empty for the others
  std::string directory;  // as a VB path; empty when the system finds the file
  std::string file;
  bool copied = false;
  bool missing = false;  // a file to copy that is not there
};
std::vector<ListedLine> LinesBesideTheModel(const std::string& vbpFile);

// `zarvelin show PROJECT.vbp [--json]`: the project's settings and components.
void RegisterShowCommand(CLI::App& app, const CommandContext& context);
// Reads the project file into the model and lists it, as a table or as JSON. A file that is no
// project file, a missing component file and a listing that cannot be written are told in one
// line each, the project named as the user typed it (shownAs) and other files as the host names
// them; the listing goes to the context's output. Failures the model meets are reported
// as everywhere else. The result is 0 when nothing failed, 1 otherwise.
int ShowProject(const std::string& vbpFile, const std::string& shownAs, bool json,
                const CommandContext& context);

// `zarvelin set PROJECT.vbp --major N | --name TEXT | --command TEXT | --path32 TEXT`.
void RegisterSetCommand(CLI::App& app, const CommandContext& context);

// The settings `set` can rewrite; the ones left empty are not touched.
struct ProjectSettings {
  std::optional<int16_t> majorVer;
  std::optional<std::string> name;
  std::optional<std::string> commandLine;
  std::optional<std::string> path32;
};
// Reads the project file into the model and applies the given settings through its setters,
// which rewrite their lines on disk; refusals name the file as the user typed it (shownAs). The
// result is 0 when no failure was reported, 1 otherwise.
int SetProject(const std::string& vbpFile, const std::string& shownAs,
               const ProjectSettings& settings, const CommandContext& context);

// `zarvelin copy PROJECT.vbp DIRECTORY [--mkdir] [--scc] [-n|--dry-run] [--json]
// [--skip-missing-docs]`, or `zarvelin copy --recover DIR`: the copy dialog's Copy button.
void RegisterCopyCommand(CLI::App& app, const CommandContext& context);

// What one copy run is given.
struct CopyOptions {
  std::string projectFile;     // VB path
  std::string directory;       // VB path, as the user would type it into the dialog
  std::string givenProject;    // as the user gave it on the command line
  std::string givenDirectory;  // as the user gave it on the command line
  bool makeDirectory = false;  // make the directory and its parents when missing
  bool scc = false;            // a "vbscc" add-in is installed (and connected)
  bool quiet = false;          // no closing message
  bool verbose = false;        // each file written named on the normal output
  bool progress = false;       // a progress line redrawn on standard error, a terminal
  bool dryRun = false;         // plan only: write nothing
  bool json = false;           // the result as JSON on the normal output
  bool skipMissingDocs = false;
  bool keepTree = false;  // every file at its place below the lowest folder holding them all
};
// Checks the project and the directory, opens the project in the file-backed IDE, checks the
// directory as the Copy button does and runs the copy (or only plans it), on the platform,
// windows and files the session installed. Refusals and failures are told in one line each,
// paths as the user gave them. 0 when the copy finished (or would), 1 otherwise.
int RunCopy(const CopyOptions& options, const CommandContext& context);
// Puts back what a killed copy into directory (a VB path; givenDirectory as typed) left put
// aside; 0 when all of it was.
int RecoverCopy(const std::string& directory, const std::string& givenDirectory,
                const CommandContext& context);

// `zarvelin verify PROJECT.vbp COPY_DIR [--ide-saved] [--skip-missing-docs]`: whether a copy is
// complete and faithful to its source.
void RegisterVerifyCommand(CLI::App& app, const CommandContext& context);

// `zarvelin about`: the about box's facts, one per line.
void RegisterAboutCommand(CLI::App& app, const CommandContext& context);
// Loads and activates the about box on the installed services and writes what it shows: title,
// release version, comments, copyright, operating system, program file and its time. Where the
// box finds no add-in or program file under its Windows names, the running program is shown; on a
// host that is not Windows, the host's name and release stand for the operating system.
void ShowAbout(const std::string& runningProgram, std::ostream& out);

// `zarvelin settings [--reset]`: the add-in's per-user setting, or clearing it.
void RegisterSettingsCommand(CLI::App& app, const CommandContext& context);

}  // namespace zarvelin::cli
