#include "app/terminal/TerminalSession.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

#include "host/CodePage.h"
#include "host/HostApp.h"

namespace zarvelin::app {

const CodePages& HostCodePages() {
  static const host::IconvCodePages codePages;
  return codePages;
}

TerminalSession::TerminalSession(SessionOptions options)
    : paths_(std::move(options.paths)),
      files_(paths_),
      platform_(paths_, files_, std::move(options.terminal)),
      windows_(stderr, isatty(fileno(stderr)) != 0),
      session_(Services{files_, clock_, host::HostAppFacts(paths_), platform_, windows_}) {}

}  // namespace zarvelin::app
