#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/FaultyFileSystem.h"
#include "fakes/TempDir.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

namespace zarvelin {

struct Report {
  std::string module;
  std::string procedure;
  int16_t line;
  int32_t number;
};

// Writes down every failure reported while it lives.
class ReportLog {
 public:
  ReportLog() {
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
          reports_.push_back({std::string(module), std::string(procedure), line, number});
        });
  }
  ~ReportLog() { SetFailureReporter({}); }
  ReportLog(const ReportLog&) = delete;
  ReportLog& operator=(const ReportLog&) = delete;

  const std::vector<Report>& Reports() const { return reports_; }
  void Clear() { reports_.clear(); }

 private:
  std::vector<Report> reports_;
};

// A project directory on the host, reached by the model through the real file layer with a
// fault injector in between, and the failures the model reports.
class ProjectTestBed : public ::testing::Test {
 protected:
  // The VB path of a file or directory below the test directory; empty: the directory itself.
  std::string Vb(std::string_view relative) const {
    return relative.empty() ? dir_.VbPath() : dir_.VbPath(relative);
  }
  void Write(std::string_view relative, std::string_view bytes) const {
    dir_.Write(relative, bytes);
  }
  std::string Read(std::string_view relative) const { return dir_.Read(relative); }
  bool Exists(std::string_view relative) const { return dir_.Exists(relative); }

  const std::vector<Report>& Reports() const { return log_.Reports(); }
  void ClearReports() { log_.Clear(); }
  fakes::FaultyFileSystem& Faults() { return faults_; }

 private:
  fakes::TempDir dir_;
  headless::PathMapper paths_;
  headless::HostFileSystem host_{paths_};
  fakes::FaultyFileSystem faults_{host_};
  ScopedRuntime runtime_{Runtime{&faults_, nullptr, {}}};
  ReportLog log_;
};

}  // namespace zarvelin
