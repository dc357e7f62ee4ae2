#pragma once

#include <memory>

#include "platform/headless/HeadlessWindows.h"
#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "platform/headless/SystemClock.h"
#include "platform/headless/TerminalPlatform.h"
#include "runtime/Runtime.h"

namespace zarvelin::headless {

struct SessionOptions {
  PathMapperConfig paths;
  TerminalOptions terminal;
};

// Everything a program run from a terminal needs installed before the portable code runs: the
// host's files behind Wine-style paths, the terminal's services, windows as text, the system
// clock, the App facts, and the error report window as the place every trapped failure goes.
// Puts back what was installed before when it ends.
class HeadlessSession {
 public:
  explicit HeadlessSession(SessionOptions options = {});
  ~HeadlessSession();
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  const PathMapper& Paths() const { return paths_; }

 private:
  PathMapper paths_;
  HostFileSystem files_;
  SystemClock clock_;
  TerminalPlatform platform_;
  HeadlessWindows windows_;
  std::unique_ptr<ScopedRuntime> runtime_;
  Platform* previousPlatform_;
  forms::WindowBackend* previousWindows_;
};

}  // namespace zarvelin::headless
