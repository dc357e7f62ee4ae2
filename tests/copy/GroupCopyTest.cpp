#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "copy/GroupCopy.h"
#include "copy/GroupSafeguard.h"
#include "copy/TreeLayout.h"
#include "fakes/TestEnvironment.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

// The group copy's layout and order, and the tree layout, against cases as data (copies.txt).
namespace zarvelin {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string ShownTargets(const std::vector<GroupCopy::ProjectTarget>& targets) {
  std::string text;
  for (const auto& target : targets)
    text += "  " + target.folder + " | " + target.projectFile + "\n";
  return text;
}

std::string ShownLayout(const TreeLayout::Layout& layout) {
  if (!layout.refusal.empty()) return "  refused: " + layout.refusal + "\n";
  std::string text = "  root " + layout.root + "\n";
  for (const auto& place : layout.placements) {
    text += "  " + place.source + " -> " + place.relative + " -> " + place.target + "\n";
  }
  return text;
}

// A group copy made all or nothing, each project's copy standing in as writing its project file
// under the safeguard the group hands it and stopping at the Nth project when asked.
std::string GuardedCopy(const cVBG& group, const std::string& directory, size_t stopAt) {
  const std::vector<GroupCopy::ProjectTarget> targets =
      GroupCopy::SubfolderTargets(group, directory);
  std::vector<std::string> folders;
  for (const auto& target : targets) folders.push_back(target.folder);
  copy::GroupSafeguard safeguard;
  safeguard.Begin(directory, FileNameOf(group.VBGFile()), folders);
  size_t asked = 0;
  const GroupCopy::Outcome outcome =
      GroupCopy::CopyGroup(group, targets, JoinPath(directory, FileNameOf(group.VBGFile())),
                           [&](const GroupProject&, const GroupCopy::ProjectTarget& target) {
                             copy::CopySafeguard& own = safeguard.ForNextProject();
                             own.Begin(target.folder, {FileNameOf(target.projectFile)}, {});
                             Files().AppendText(target.projectFile, "copied");
                             if (++asked == stopAt) {
                               own.Rollback();
                               return false;
                             }
                             own.Commit();
                             return true;
                           });
  std::string text;
  if (outcome.finished) {
    for (const std::string& file : safeguard.Commit()) text += "  replaced " + file + "\n";
  } else {
    for (const copy::NotPutBack& file : safeguard.Rollback()) {
      text += "  not put back " + file.file + " kept as " + file.keptAs + "\n";
    }
  }
  return text + (outcome.finished ? "  finished\n" : "  stopped\n");
}

class CopyCase : public testing::TestWithParam<fakes::Case> {};

TEST_P(CopyCase, LaysOutAndCopiesAsApproved) {
  fakes::TestEnvironment env;
  cVBG group;
  std::string transcript;
  for (const std::string& step : GetParam().steps) {
    const std::vector<std::string> words = Words(step);
    const std::string& verb = words.at(0);
    transcript += "> " + step + "\n";
    try {
      if (verb == "put") {
        env.files.Put(words.at(1), fakes::Unescape(step.substr(step.find(' ', 4) + 1)));
      } else if (verb == "mkdir") {
        env.files.PutDirectory(words.at(1));
      } else if (verb == "read") {
        group = cVBG::Read(words.at(1));
      } else if (verb == "targets") {
        transcript += ShownTargets(GroupCopy::SubfolderTargets(group, words.at(1)));
      } else if (verb == "tree") {
        transcript += ShownLayout(TreeLayout::Plan({words.begin() + 2, words.end()}, words[1]));
      } else if (verb == "copy") {
        const size_t stopAt = words.size() > 3 ? std::stoul(words[3]) : 0;
        size_t asked = 0;
        const GroupCopy::Outcome outcome = GroupCopy::CopyGroup(
            group, GroupCopy::SubfolderTargets(group, words.at(1)),
            JoinPath(words[1], FileNameOf(group.VBGFile())),
            [&](const GroupProject& project, const GroupCopy::ProjectTarget& target) {
              transcript += "  copy " + project.path + " into " + target.folder + "\n";
              return ++asked != stopAt;
            });
        transcript += std::string(outcome.finished ? "  finished" : "  stopped") + " after " +
                      std::to_string(outcome.copied) + (outcome.refusal.empty() ? "" : ": ") +
                      outcome.refusal + "\n";
      } else if (verb == "guarded") {
        transcript += GuardedCopy(group, words.at(1), words.size() > 3 ? std::stoul(words[3]) : 0);
      } else if (verb == "fail") {
        env.files.Fail(words.at(1), std::stoi(words.at(2)), words.at(3));
      } else {
        FAIL() << "unknown step: " << step;
      }
    } catch (const VbError& error) {
      transcript += "error " + std::to_string(error.Number()) + " " + error.Description() + "\n";
    }
  }
  fakes::ExpectApproved("copy/" + GetParam().name, transcript + env.Transcript({"C:\\Out"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyCase, testing::ValuesIn(fakes::LoadCases(ZARVELIN_COPY_CASES)),
                         [](const testing::TestParamInfo<fakes::Case>& param) {
                           return param.param.name;
                         });

}  // namespace
}  // namespace zarvelin
