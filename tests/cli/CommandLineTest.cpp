#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "fakes/host/ProgramRun.h"
#include "fakes/host/TempDir.h"

// Runs the scenarios of runs.txt against the built program, each in a fresh directory holding a
// copy of the example project (ledger/) and of the program (bin/), the directory its home, and
// compares the transcript with approved/cli/NAME.txt. Temporary paths read <tmp>,
// dates and times read <time>, the user's and the machine's names <who>.
namespace zarvelin {
namespace {

using Run = fakes::Case;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class CommandLine : public testing::TestWithParam<Run> {};

TEST_P(CommandLine, MatchesItsApprovedTranscript) {
  fakes::TempDir dir;
  std::filesystem::copy(ZARVELIN_EXAMPLES_DIR "/ledger", dir.HostPath("ledger"),
                        std::filesystem::copy_options::recursive);
  std::string transcript;
  std::vector<std::string> environment;
  std::string cwd = dir.HostPath();
  for (const std::string& step : GetParam().steps) {
    const std::string verb = step.substr(0, step.find(' '));
    const std::string rest = step.size() > verb.size() ? step.substr(verb.size() + 1) : "";
    if (verb == "mkdir")
      dir.MakeDirectory(rest);
    else if (verb == "cd")
      cwd = dir.HostPath(rest);
    else if (verb == "env")
      environment.push_back(ReplaceAll(rest, "{tmp}", dir.HostPath()));
    else if (verb == "script") {
      const auto cut = rest.find(' ');
      dir.Write(rest.substr(0, cut),
                "#!/bin/sh\n" + ReplaceAll(rest.substr(cut + 1), "{tmp}", dir.HostPath()) + "\n");
      std::filesystem::permissions(dir.HostPath(rest.substr(0, cut)),
                                   std::filesystem::perms::owner_all);
    } else if (verb == "write") {
      const auto cut = rest.find(' ');
      dir.Write(fakes::Unescape(rest.substr(0, cut)), fakes::Unescape(rest.substr(cut + 1)));
    } else if (verb == "show") {
      std::vector<std::string> files{rest};
      if (!dir.Exists(rest)) files.clear();
      if (std::filesystem::is_directory(dir.HostPath(rest))) {
        files.clear();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.HostPath(rest)))
          files.push_back(std::filesystem::relative(entry.path(), dir.HostPath()).generic_string());
        std::sort(files.begin(), files.end());
      }
      if (files.empty()) transcript += "== no " + rest + "\n";
      // Folders are shown too, so that a folder left behind, empty or not, is seen.
      for (const std::string& file : files) {
        if (std::filesystem::is_directory(dir.HostPath(file))) {
          transcript += "== folder " + file + "\n";
        } else {
          transcript += "== file " + file + "\n" + fakes::ShowBytes(dir.Read(file));
        }
      }
    } else if (verb == "run" || verb == "runfull" || verb == "runtty") {
      std::vector<std::string> arguments;
      std::istringstream words(ReplaceAll(rest, "{tmp}", dir.HostPath()));
      for (std::string word; words >> word;) arguments.push_back(ReplaceAll(word, "+", " "));
      const fakes::ProgramRun run = fakes::RunZarvelin(
          cwd, arguments, environment, verb == "runfull" ? "/dev/full" : "", verb == "runtty");
      const std::string shell = verb == "run"       ? "$ zarvelin "
                                : verb == "runfull" ? "$ zarvelin >/dev/full "
                                                    : "$ zarvelin 2>/dev/tty ";
      // What a terminal receives is shown byte for byte: each carriage return is seen.
      transcript += shell + rest + "\nstatus " + std::to_string(run.status) + "\n-- out\n" +
                    run.out + "-- err\n" + (verb == "runtty" ? fakes::ShowBytes(run.err) : run.err);
    } else
      ADD_FAILURE() << "unknown step: " << step;
  }
  // The program keeps its error log under the user's state directory, here the run's home.
  const std::string errorLog = ".local/state/zarvelin/Error.log";
  if (dir.Exists(errorLog)) transcript += "== Error.log\n" + dir.Read(errorLog);
  if (dir.Exists("bin/Error.log")) ADD_FAILURE() << "an error log was written beside the program";
  transcript = ReplaceAll(transcript, dir.HostPath(), "<tmp>");
  transcript = ReplaceAll(transcript, dir.VbPath(), "<tmp>");
  transcript = ReplaceAll(transcript, ReplaceAll(dir.VbPath(), "\\", "\\\\"), "<tmp>");
  transcript =
      std::regex_replace(transcript,
                         std::regex(R"([A-Z][a-z]+day [A-Z][a-z]{2} \d\d,\d{4} @ \d\d:\d\d:\d\d|)"
                                    R"(\d{1,2}/\d{1,2}/\d{4}( \d{1,2}:\d\d:\d\d( [AP]M)?)?)"),
                         "<time>");
  transcript =
      std::regex_replace(transcript, std::regex("(User Name|Computer Name): .*"), "$1: <who>");
  // The host's own name and release, which the about box shows where Windows would be.
  transcript =
      std::regex_replace(transcript, std::regex(R"(\n\w+ Version \S+ \S+\n)"), "\n<system>\n");
  transcript = std::regex_replace(
      transcript, std::regex(R"((Operating System: (?:\t|\\x09)?)\w+ [^\s\\]+ [^\s\\]+)"),
      "$1<system>");
  fakes::ExpectApproved("cli/" + GetParam().name, transcript);
}

INSTANTIATE_TEST_SUITE_P(Runs, CommandLine, testing::ValuesIn(fakes::LoadCases(ZARVELIN_CLI_RUNS)),
                         [](const testing::TestParamInfo<Run>& run) { return run.param.name; });

}  // namespace
}  // namespace zarvelin
