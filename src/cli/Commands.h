#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace zarvelin::cli {

// What a subcommand needs from the headless session the program set up: the VB path for a host
// path typed on the command line, and where its normal output goes.
struct CommandContext {
  std::function<std::string(const std::string& hostPath)> toVbPath;
  std::ostream* out = nullptr;
};

// `zarvelin show PROJECT.vbp [--json]`: the project's settings and components.
void RegisterShowCommand(CLI::App& app, const CommandContext& context);
// Reads the project file into the model and lists it, as a table or as JSON. Failures the model
// meets are reported as everywhere else; the result is 0 when none was, 1 otherwise.
int ShowProject(const std::string& vbpFile, bool json, std::ostream& out);

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
// which rewrite their lines on disk. The result is 0 when no failure was reported, 1 otherwise.
int SetProject(const std::string& vbpFile, const ProjectSettings& settings);

}  // namespace zarvelin::cli
