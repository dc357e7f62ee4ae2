#pragma once

#include "runtime/App.h"
#include "runtime/DateTime.h"
#include "runtime/FileSystem.h"

namespace zarvelin {

// The run time's process-wide services. The program (or a test) installs them before anything
// runs; the portable code only ever reaches files, time and the App facts through here.
struct Runtime {
  FileSystem* files = nullptr;
  const Clock* clock = nullptr;
  AppFacts app;
};

Runtime& Rt();

// Installs services for a scope and restores the previous ones afterwards (tests, the CLI).
class ScopedRuntime {
 public:
  explicit ScopedRuntime(Runtime runtime);
  ~ScopedRuntime();
  ScopedRuntime(const ScopedRuntime&) = delete;
  ScopedRuntime& operator=(const ScopedRuntime&) = delete;

 private:
  Runtime previous_;
};

}  // namespace zarvelin
