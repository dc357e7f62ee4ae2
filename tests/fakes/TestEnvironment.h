#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "app/Session.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"

namespace zarvelin::fakes {

// A clock that always tells the same time, so that dated texts can be compared whole.
class FixedClock : public Clock {
 public:
  DateTime Now() const override { return {2026, 12, 5, 8, 36, 6}; }
};

// One test's world, wired by the program's own Session: files in memory (the example project
// under kProject, the program under kAppPath), a fixed clock, a scripted platform and a recording
// window backend. Failures go to the real error report window, as in the program.
class TestEnvironment {
 public:
  static constexpr const char* kProjectDir = "C:\\Projects\\Ledger\\app";
  static constexpr const char* kProject = "C:\\Projects\\Ledger\\app\\Ledger.vbp";
  static constexpr const char* kAppPath = "C:\\Program Files\\Zarvelin";

  TestEnvironment();
  TestEnvironment(const TestEnvironment&) = delete;
  TestEnvironment& operator=(const TestEnvironment&) = delete;

  // What the run left behind: the platform's and the window backend's calls, the changes to the
  // disk, and every file under each of the given directories with its bytes.
  std::string Transcript(const std::vector<std::string>& directories = {}) const;

  MemoryFileSystem files;
  FixedClock clock;
  ScriptedPlatform platform;
  RecordingWindowBackend windows;

 private:
  app::Session session_;
};

// Compares a transcript with tests/approved/NAME.txt. With ZARVELIN_ACCEPT=1 in the environment
// the file is rewritten instead, to be reviewed in the diff and committed.
void ExpectApproved(const std::string& name, const std::string& transcript);

// A scenario file's cases: "== NAME" starts one, its other lines are its steps; blank lines and
// lines starting with "#" are left out.
struct Case {
  std::string name;
  std::vector<std::string> steps;
};
std::vector<Case> LoadCases(const std::string& path);
void PrintTo(const Case& testCase, std::ostream* out);

// A table of calls: runs call on each line of the file (blank and "#" lines left out) and approves
// "LINE => ANSWER" for all of them under name, followed by what after tells once they have run; a
// call that fails answers "error NUMBER".
void ApproveCalls(const std::string& name, const std::string& path,
                  const std::function<std::string(const std::string& line)>& call,
                  const std::function<std::string()>& after = {});

// "\xE9" in a case stands for that byte and, with lineEnds, "\r" and "\n" for CR and LF; "-"
// alone is nothing.
std::string Unescape(std::string_view text, bool lineEnds = true);

// The file's bytes in a readable and exact form: text lines with CR and LF shown, other bytes
// escaped.
std::string ShowBytes(std::string_view bytes);

}  // namespace zarvelin::fakes
