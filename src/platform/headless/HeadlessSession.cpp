#include "platform/headless/HeadlessSession.h"

#include <utility>

#include "platform/headless/HostApp.h"
#include "runtime/Trap.h"
#include "ui/ErrMsg.h"

namespace zarvelin::headless {
HeadlessSession::HeadlessSession(SessionOptions options)
    : paths_(std::move(options.paths)),
      files_(paths_),
      platform_(paths_, files_, std::move(options.terminal)),
      previousPlatform_(InstalledPlatform()),
      previousWindows_(forms::InstalledWindowBackend()) {
  runtime_ = std::make_unique<ScopedRuntime>(Runtime{&files_, &clock_, HostAppFacts(paths_)});
  SetPlatform(&platform_);
  forms::SetWindowBackend(&windows_);
  InstallErrorReport();
}

HeadlessSession::~HeadlessSession() {
  SetFailureReporter({});
  forms::SetWindowBackend(previousWindows_);
  SetPlatform(previousPlatform_);
}

}  // namespace zarvelin::headless
