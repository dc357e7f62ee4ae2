#pragma once

#include "app/Session.h"
#include "console/HeadlessWindows.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "host/SystemClock.h"
#include "runtime/CodePage.h"
#include "terminal/TerminalPlatform.h"

namespace zarvelin::app {

struct SessionOptions {
  host::PathMapperConfig paths;
  terminal::TerminalOptions terminal;
};

// The code pages a terminal program converts with: the host's own converter (iconv), open before
// any session, since the command line's --code-page is checked against it.
const CodePages& HostCodePages();

// A program run from a terminal: the host's files behind Wine-style paths, the terminal's
// services, windows as text and the system clock, wired through the one Session.
class TerminalSession {
 public:
  explicit TerminalSession(SessionOptions options = {});
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  const host::PathMapper& Paths() const { return paths_; }

 private:
  host::PathMapper paths_;
  host::HostFileSystem files_;
  host::SystemClock clock_;
  terminal::TerminalPlatform platform_;
  console::HeadlessWindows windows_;
  Session session_;
};

}  // namespace zarvelin::app
