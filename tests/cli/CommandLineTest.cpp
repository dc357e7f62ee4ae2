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
// copy of the example project (ledger/) and of the program (bin/, so that its Error.log lands
// there), and compares the transcript with approved/cli/NAME.txt. Temporary paths read <tmp>,
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
    const std::string rest = step.substr(verb.size() + 1);
    if (verb == "mkdir") dir.MakeDirectory(rest);
    if (verb == "cd") cwd = dir.HostPath(rest);
    if (verb == "env") environment.push_back(ReplaceAll(rest, "{tmp}", dir.HostPath()));
    if (verb == "script") {
      const auto cut = rest.find(' ');
      dir.Write(rest.substr(0, cut),
                "#!/bin/sh\n" + ReplaceAll(rest.substr(cut + 1), "{tmp}", dir.HostPath()) + "\n");
      std::filesystem::permissions(dir.HostPath(rest.substr(0, cut)),
                                   std::filesystem::perms::owner_all);
    }
    if (verb == "write") {
      const auto cut = rest.find(' ');
      dir.Write(fakes::Unescape(rest.substr(0, cut)), fakes::Unescape(rest.substr(cut + 1)));
    }
    if (verb == "show") {
      std::vector<std::string> files{rest};
      if (!dir.Exists(rest)) files.clear();
      if (std::filesystem::is_directory(dir.HostPath(rest))) {
        files.clear();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.HostPath(rest)))
          files.push_back(std::filesystem::relative(entry.path(), dir.HostPath()).generic_string());
        std::sort(files.begin(), files.end());
      }
      if (files.empty()) transcript += "== no " + rest + "\n";
      for (const std::string& file : files)
        transcript += "== file " + file + "\n" + fakes::ShowBytes(dir.Read(file));
    }
    if (verb == "run") {
      std::vector<std::string> arguments;
      std::istringstream words(ReplaceAll(rest, "{tmp}", dir.HostPath()));
      for (std::string word; words >> word;) arguments.push_back(ReplaceAll(word, "+", " "));
      const fakes::ProgramRun run = fakes::RunZarvelin(cwd, arguments, environment);
      transcript += "$ zarvelin " + rest + "\nstatus " + std::to_string(run.status) + "\n-- out\n" +
                    run.out + "-- err\n" + run.err;
    }
  }
  if (dir.Exists("bin/Error.log")) transcript += "== Error.log\n" + dir.Read("bin/Error.log");
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
  fakes::ExpectApproved("cli/" + GetParam().name, transcript);
}

INSTANTIATE_TEST_SUITE_P(Runs, CommandLine, testing::ValuesIn(fakes::LoadCases(ZARVELIN_CLI_RUNS)),
                         [](const testing::TestParamInfo<Run>& run) { return run.param.name; });

}  // namespace
}  // namespace zarvelin
