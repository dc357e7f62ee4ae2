#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "project/cVBG.h"
#include "runtime/VbError.h"

// The group-file model against cases as data (groups.txt): what it reads from a group file, and
// the bytes of the group file it writes for the copies.
namespace zarvelin {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(fakes::Unescape(word));
  return words;
}

std::string Shown(const cVBG& group) {
  std::string text = "group " + group.VBGFile() + "\n";
  for (const GroupProject& project : group.Projects()) {
    text += std::string(project.startup ? "  start " : "  ") + project.written + " -> " +
            project.path + (project.found ? "" : " (missing)") + "\n";
  }
  return text;
}

class GroupCase : public testing::TestWithParam<fakes::Case> {};

TEST_P(GroupCase, ReadsAndWritesAsApproved) {
  fakes::TestEnvironment env;
  cVBG group;
  std::string transcript;
  for (const std::string& step : GetParam().steps) {
    const size_t blank = step.find(' ');
    const std::string verb = step.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : step.substr(blank + 1);
    const std::vector<std::string> words = Words(rest);
    transcript += "> " + step + "\n";
    try {
      if (verb == "put") {
        const size_t contents = rest.find(' ');
        env.files.Put(words.at(0), fakes::Unescape(rest.substr(contents + 1)));
      } else if (verb == "mkdir") {
        env.files.PutDirectory(words.at(0));
      } else if (verb == "read") {
        group = cVBG::Read(words.at(0));
        transcript += Shown(group);
      } else if (verb == "fresh") {
        group = cVBG::ForProjects({words.begin() + 1, words.end()}, std::stoul(words.at(0)));
        transcript += Shown(group);
      } else if (verb == "save") {
        group.SaveAs(words.at(0), {words.begin() + 1, words.end()});
        transcript += fakes::ShowBytes(env.files.Bytes(words[0]));
      } else {
        FAIL() << "unknown step: " << step;
      }
    } catch (const VbError& error) {
      transcript += "error " + std::to_string(error.Number()) + " " + error.Description() + "\n";
    }
  }
  fakes::ExpectApproved("project/group/" + GetParam().name, transcript + env.Transcript());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupCase, testing::ValuesIn(fakes::LoadCases(ZARVELIN_PROJECT_CASES "/../groups.txt")),
    [](const testing::TestParamInfo<fakes::Case>& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin
