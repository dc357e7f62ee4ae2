#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakes/TestEnvironment.h"

namespace zarvelin {

using Report = fakes::TestEnvironment::ReportedFailure;

// A project directory on the host, reached by the model through the real file layer with a
// fault injector in between, and the failures the model reports.
class ProjectTestBed : public ::testing::Test {
 protected:
  // The VB path of a file or directory below the test directory; empty: the directory itself.
  std::string Vb(std::string_view relative) const {
    return relative.empty() ? env_.dir.VbPath() : env_.dir.VbPath(relative);
  }
  void Write(std::string_view relative, std::string_view bytes) const {
    env_.dir.Write(relative, bytes);
  }
  std::string Read(std::string_view relative) const { return env_.dir.Read(relative); }
  bool Exists(std::string_view relative) const { return env_.dir.Exists(relative); }

  const std::vector<Report>& Reports() const { return env_.Failures(); }
  fakes::FaultyFileSystem& Faults() { return env_.files; }

 private:
  fakes::TestEnvironment env_;
};

}  // namespace zarvelin
