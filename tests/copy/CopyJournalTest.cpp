#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "copy/CopyJournal.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/TestEnvironment.h"
#include "fakes/host/TempDir.h"
#include "runtime/Runtime.h"
#include "runtime/VbPath.h"

// Runs the cases of journals.txt on files in memory: a copy directory is set up, a copy begins,
// writes, finishes or stops, and the directory is compared with what it held before. A case can
// also ask that a process killed after any change the case made be recovered by the next run.
namespace zarvelin::copy {
namespace {

using fakes::FailureOf;

constexpr const char* kCopyDirectory = "C:\\copy";

// A path's name relative to the copy directory.
std::string NameOf(const std::string& path) {
  return path.substr(std::string_view(kCopyDirectory).size() + 1);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(fakes::Unescape(word));
  return words;
}

std::pair<std::string, std::string> Split(const std::string& text) {
  const auto cut = text.find(' ');
  if (cut == std::string::npos) return {text, {}};
  return {text.substr(0, cut), text.substr(cut + 1)};
}

class JournalRun {
 public:
  JournalRun() { files_.PutDirectory(kCopyDirectory); }

  void Step(const std::string& step) {
    SCOPED_TRACE(step);
    const auto [verb, rest] = Split(step);
    const std::vector<std::string> words = Words(rest);
    if (verb == "file") {
      const auto [name, bytes] = Split(rest);
      files_.Put(JoinPath(kCopyDirectory, name), fakes::Unescape(bytes));
    } else if (verb == "hidden" || verb == "readonly") {
      const std::string path = JoinPath(kCopyDirectory, words.at(0));
      files_.Put(path, files_.Bytes(path),
                 verb == "hidden" ? fileattr::kHidden : fileattr::kReadOnly);
    } else if (verb == "folder") {
      files_.PutDirectory(JoinPath(kCopyDirectory, words.at(0)));
    } else if (verb == "plan") {
      planned_.insert(planned_.end(), words.begin(), words.end());
    } else if (verb == "reserve") {
      reserved_.insert(words.begin(), words.end());
    } else if (verb == "fail") {
      files_.Fail(words.at(0), std::stoi(words.at(1)), words.size() > 2 ? words[2] : "",
                  words.size() > 3 ? std::stoi(words[3]) : 0);
    } else if (verb == "begin" || verb == "extend" || verb == "write" || verb == "commit" ||
               verb == "rollback" || verb == "recover") {
      Act(verb, words);
    } else if (verb == "expect") {
      Expect(words);
    } else {
      ADD_FAILURE() << "unknown step";
    }
  }

 private:
  // Every action but a setup one: the directory as it stood before the first is kept, and each
  // change from then on too.
  void Act(const std::string& verb, const std::vector<std::string>& words) {
    if (!before_) {
      before_ = Listing(true);
      changesBefore_ = files_.Calls().size();
      files_.AfterEachChange([this] { Keep(killed_); });
    }
    const bool failing = words.size() >= 2 && words[words.size() - 2] == "fails";
    const int32_t failure = FailureOf([&] {
      if (verb == "begin") {
        journal_.emplace(CopyJournal::Begin(kCopyDirectory, planned_, reserved_));
      } else if (verb == "extend") {
        journal_.value().Extend({words.begin(), words.end() - (failing ? 2 : 0)}, reserved_);
      } else if (verb == "write") {
        const auto staged = Files().Stage(JoinPath(kCopyDirectory, words.at(0)));
        staged->Write(words.at(1));
        staged->Commit();
      } else if (verb == "commit") {
        committedFrom_ = killed_.size();
        commit_ = journal_.value().Commit();
      } else if (verb == "rollback") {
        rollback_ = journal_.value().Rollback();
      } else {
        recovery_ = CopyJournal::RecoverCopyDirectory(kCopyDirectory);
        rollback_ = recovery_.rollback;
        commit_ = recovery_.commit;
      }
    });
    EXPECT_EQ(failure, failing ? std::stoi(words.back()) : 0);
  }

  void Keep(std::vector<fakes::MemoryFileSystem>& states) {
    states.push_back(files_);
    states.back().AfterEachChange({});
  }

  // name=bytes of every file in the copy directory, with the attributes when asked, and name\ of
  // every folder.
  std::vector<std::string> Listing(bool withAttributes) {
    std::vector<std::string> lines;
    for (const std::string& folder : files_.FoldersUnder(kCopyDirectory)) {
      lines.push_back(NameOf(folder) + "\\");
    }
    for (const auto& [path, bytes] : files_.FilesUnder(kCopyDirectory)) {
      std::string line = NameOf(path) + "=" + bytes;
      if (withAttributes) line += " @" + std::to_string(files_.Attributes(path));
      lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const std::string& line : Listing(false)) {
      if (!line.ends_with('\\')) names.push_back(line.substr(0, line.find('=')));
    }
    return names;
  }

  void Expect(const std::vector<std::string>& words) {
    const std::string& what = words.at(0);
    const std::vector<std::string> listed(words.begin() + 1, words.end());
    const auto names = [](const std::vector<std::string>& paths) {
      std::vector<std::string> result;
      for (const std::string& path : paths) result.push_back(NameOf(path));
      return result;
    };
    if (what == "files") {
      std::vector<std::string> sorted = listed;
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(Listing(false), sorted);
    } else if (what == "names") {
      EXPECT_EQ(Names(), listed);
    } else if (what == "unchanged") {
      EXPECT_EQ(Listing(true), before_);
    } else if (what == "untouched") {
      EXPECT_EQ(files_.Calls().size(), changesBefore_) << files_.Calls().back();
    } else if (what == "replaced") {
      EXPECT_EQ(names(commit_.replaced), listed);
    } else if (what == "left-over") {
      EXPECT_EQ(names(commit_.leftOver), listed);
    } else if (what == "not-removed") {
      EXPECT_EQ(names(rollback_.notRemoved), listed);
    } else if (what == "not-put-back") {
      std::vector<std::string> pairs;
      for (const AsideFile& file : rollback_.notPutBack) {
        pairs.push_back(NameOf(file.path) + "@" + NameOf(file.asidePath));
      }
      EXPECT_EQ(pairs, listed);
    } else if (what == "recovered") {
      const char* actions[] = {"nothing", "rolled-back", "committed"};
      EXPECT_EQ(actions[static_cast<int>(recovery_.action)], listed.at(0));
    } else if (what == "every-kill-recovered") {
      EveryKillRecovered();
    } else {
      ADD_FAILURE() << "unknown expectation";
    }
  }

  // Each state a kill could have left is recovered to the directory before the copy, or to the
  // finished copy once it was marked committed; and so is a kill during that recovery.
  void EveryKillRecovered() {
    files_.AfterEachChange({});
    const std::vector<std::string> finished = Listing(true);
    const std::vector<fakes::MemoryFileSystem> states = std::move(killed_);
    for (size_t state = 0; state < states.size(); ++state) {
      const std::vector<std::string>& wanted = state >= committedFrom_ ? finished : *before_;
      std::vector<fakes::MemoryFileSystem> recovering;
      files_ = states[state];
      files_.AfterEachChange([&] { Keep(recovering); });
      RecoverTo(wanted, "killed after change " + std::to_string(state));
      files_.AfterEachChange({});
      for (size_t again = 0; again < recovering.size(); ++again) {
        files_ = recovering[again];
        RecoverTo(wanted, "killed after change " + std::to_string(state) + ", and again after " +
                              std::to_string(again));
      }
    }
  }

  void RecoverTo(const std::vector<std::string>& wanted, const std::string& when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(FailureOf([] { CopyJournal::RecoverCopyDirectory(kCopyDirectory); }), 0);
    EXPECT_EQ(Listing(true), wanted);
  }

  fakes::MemoryFileSystem files_;
  ScopedService<FileSystem> installed_{files_};
  std::vector<std::string> planned_;
  NoCaseSet reserved_;
  std::optional<std::vector<std::string>> before_;
  size_t changesBefore_ = 0;
  std::vector<fakes::MemoryFileSystem> killed_;
  size_t committedFrom_ = SIZE_MAX;
  CommitOutcome commit_;
  RollbackOutcome rollback_;
  RecoveryOutcome recovery_;
  std::optional<CopyJournal> journal_;
};

class JournalCase : public testing::TestWithParam<fakes::Case> {};

TEST_P(JournalCase, LeavesTheDirectoryAsItSays) {
  JournalRun run;
  for (const std::string& step : GetParam().steps) run.Step(step);
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalCase,
                         testing::ValuesIn(fakes::LoadCases(ZARVELIN_JOURNAL_CASES)),
                         [](const testing::TestParamInfo<fakes::Case>& journal) {
                           return journal.param.name;
                         });

}  // namespace
}  // namespace zarvelin::copy
