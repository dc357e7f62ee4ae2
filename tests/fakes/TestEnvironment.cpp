#include "TestEnvironment.h"

#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/Trap.h"
#include "ui/ErrMsg.h"

namespace zarvelin::fakes {
namespace {

constexpr const char* kDriveC = "drive_c";

headless::PathMapperConfig ConfigFor(const TempDir& dir) {
  dir.MakeDirectory(kDriveC);
  headless::PathMapperConfig config;
  config.drives['C'] = dir.HostPath(kDriveC);
  config.workingDirectory = dir.VbPath();
  return config;
}

Runtime RuntimeFor(FileSystem& files, const Clock& clock, const TempDir& dir) {
  Runtime runtime;
  runtime.files = &files;
  runtime.clock = &clock;
  runtime.app.path = dir.VbPath();
  return runtime;
}

}  // namespace

TestEnvironment::TestEnvironment(Options options)
    : paths(ConfigFor(dir)),
      hostFiles(paths),
      files(hostFiles),
      clock(options.now),
      runtime_(RuntimeFor(files, clock, dir)) {
  SetPlatform(&platform);
  forms::SetWindowBackend(&windows);
  if (options.realErrorReport) {
    InstallErrorReport();
    return;
  }
  SetFailureReporter(
      [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
        failures_.push_back({std::string(module), std::string(procedure), line, number});
      });
}

TestEnvironment::~TestEnvironment() {
  SetFailureReporter({});
  forms::SetWindowBackend(nullptr);
  SetPlatform(nullptr);
}

}  // namespace zarvelin::fakes
