// Reads one project file into a fresh model and prints how long the read took, how many
// component records it produced and how many failures it reported.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/headless/HostFileSystem.h"
#include "platform/headless/PathMapper.h"
#include "project/cVBP.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: read_project_bench HOST_PATH.vbp\n");
    return 2;
  }
  const zarvelin::headless::PathMapper paths;
  zarvelin::headless::HostFileSystem files(paths);
  const zarvelin::ScopedRuntime runtime(zarvelin::Runtime{&files, nullptr, {}});
  int32_t failures = 0;
  zarvelin::SetFailureReporter(
      [&failures](std::string_view, std::string_view, int16_t, int32_t) { ++failures; });

  const std::string vbpFile = paths.ToVb(argv[1]);
  const auto start = std::chrono::steady_clock::now();
  zarvelin::cVBP project;
  project.VBPFile(vbpFile);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  std::printf("components=%d failures=%d seconds=%.6f\n", project.Components()->Count(), failures,
              elapsed.count());
  return failures == 0 ? 0 : 1;
}
