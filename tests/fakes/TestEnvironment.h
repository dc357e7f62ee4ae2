#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Session.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/FixedClock.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "runtime/Trap.h"

namespace zarvelin::fakes {

// Everything the system's code reaches for, installed for one test and taken away at its end:
// real files in a fresh temporary directory (Z: maps the host's root as under Wine, and C: a
// "drive_c" directory inside the temporary one), passed through a FaultyFileSystem so that a test
// can make chosen operations fail; a fixed clock; a scripted platform; a recording window
// backend; App.Path at the temporary directory. Failures handed to ReportFailure are collected
// in Failures() unless the test asks for the real error report window.
class TestEnvironment : private FailureReporter {
 public:
  struct Options {
    bool realErrorReport = false;
    DateTime now{2026, 12, 5, 8, 36, 6};
  };

  struct ReportedFailure {
    std::string module;
    std::string procedure;
    int16_t line = 0;
    int32_t number = 0;
    friend bool operator==(const ReportedFailure&, const ReportedFailure&) = default;
  };

  TestEnvironment() : TestEnvironment(Options{}) {}
  explicit TestEnvironment(Options options);
  TestEnvironment(const TestEnvironment&) = delete;
  TestEnvironment& operator=(const TestEnvironment&) = delete;

  const std::vector<ReportedFailure>& Failures() const { return failures_; }
  // "C:\" + relative: a VB path on the C: drive of this environment.
  static std::string OnDriveC(const std::string& relative) { return "C:\\" + relative; }

  TempDir dir;
  host::PathMapper paths;
  host::HostFileSystem hostFiles;
  FaultyFileSystem files;
  FixedClock clock;
  ScriptedPlatform platform;
  RecordingWindowBackend windows;

 private:
  void Report(std::string_view module, std::string_view procedure, int16_t line,
              int32_t number) override;

  std::vector<ReportedFailure> failures_;
  app::Session session_;
  std::optional<ScopedService<FailureReporter>> collector_;
};

}  // namespace zarvelin::fakes
