#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "project/cVBP.h"

namespace zarvelin {

using Reports = std::vector<std::string>;

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
  fakes::FaultyFileSystem& Faults() { return env_.files; }

  // Writes the project file and points the model at it.
  void Open(std::string_view contents, std::string_view relative = "App.vbp") {
    Write(relative, contents);
    project.VBPFile(Vb(relative));
  }

  // Each reported failure as "module.procedure number", in the order reported.
  Reports Reported() const {
    Reports reported;
    for (const auto& failure : env_.Failures()) {
      reported.push_back(failure.module + "." + failure.procedure + " " +
                         std::to_string(failure.number));
    }
    return reported;
  }

 private:
  fakes::TestEnvironment env_;

 protected:
  cVBP project;
};

}  // namespace zarvelin
