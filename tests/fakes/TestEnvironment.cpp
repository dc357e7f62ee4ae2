#include "TestEnvironment.h"

namespace zarvelin::fakes {
namespace {

constexpr const char* kDriveC = "drive_c";

host::PathMapperConfig ConfigFor(const TempDir& dir) {
  dir.MakeDirectory(kDriveC);
  host::PathMapperConfig config;
  config.drives['C'] = dir.HostPath(kDriveC);
  config.workingDirectory = dir.VbPath();
  return config;
}

AppFacts AppFactsFor(const TempDir& dir) {
  AppFacts app;
  app.path = dir.VbPath();
  return app;
}

}  // namespace

TestEnvironment::TestEnvironment(Options options)
    : paths(ConfigFor(dir)),
      hostFiles(paths),
      files(hostFiles),
      clock(options.now),
      session_(app::Services{files, clock, AppFactsFor(dir), platform, windows}) {
  if (!options.realErrorReport) collector_.emplace(*this);
}

void TestEnvironment::Report(std::string_view module, std::string_view procedure, int16_t line,
                             int32_t number) {
  failures_.push_back({std::string(module), std::string(procedure), line, number});
}

}  // namespace zarvelin::fakes
