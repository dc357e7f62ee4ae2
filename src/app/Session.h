#pragma once

#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/App.h"
#include "runtime/DateTime.h"
#include "runtime/FileSystem.h"
#include "runtime/Service.h"
#include "runtime/Trap.h"
#include "ui/ErrMsg.h"

namespace zarvelin::app {

// The services one program run works with. The backends own them; the session only installs.
struct Services {
  FileSystem& files;
  const Clock& clock;
  AppFacts app;
  Platform& platform;
  forms::WindowBackend& windows;
};

// The one place a session is wired: the run time's files, clock and App facts, the platform, the
// window backend, and the error report window as the place every trapped failure goes. The
// command-line program, the add-in and the test host all start here; tests start here with fakes.
// Everything installed is put back, in reverse order, when the session ends.
class Session {
 public:
  explicit Session(Services services);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const AppFacts& App() const { return app_; }

 private:
  const AppFacts app_;
  ErrorReport report_;
  ScopedService<FileSystem> files_;
  ScopedService<const Clock> clock_;
  ScopedService<const AppFacts> appService_;
  ScopedService<Platform> platform_;
  ScopedService<forms::WindowBackend> windows_;
  ScopedService<FailureReporter> reporter_;
};

}  // namespace zarvelin::app
