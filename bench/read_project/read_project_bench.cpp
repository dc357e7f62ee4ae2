// Reads one project file into a fresh model and prints how long the read took, how many
// component records it produced and how many failures it reported.
#include <chrono>
#include <cstdio>
#include <string>

#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "project/cVBP.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: read_project_bench HOST_PATH.vbp\n");
    return 2;
  }
  const zarvelin::host::PathMapper paths;
  zarvelin::host::HostFileSystem files(paths);
  const zarvelin::ScopedService<zarvelin::FileSystem> installed(files);
  // Failures are counted, not shown: the benchmark measures the read alone.
  struct Counter : zarvelin::FailureReporter {
    int32_t failures = 0;
    void Report(std::string_view, std::string_view, int16_t, int32_t) override { ++failures; }
  } counter;
  const zarvelin::ScopedService<zarvelin::FailureReporter> reporter(counter);

  const std::string vbpFile = paths.ToVb(argv[1]);
  const auto start = std::chrono::steady_clock::now();
  zarvelin::cVBP project;
  project.VBPFile(vbpFile);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  std::printf("components=%d failures=%d seconds=%.6f\n", project.Components()->Count(),
              counter.failures, elapsed.count());
  return counter.failures == 0 ? 0 : 1;
}
