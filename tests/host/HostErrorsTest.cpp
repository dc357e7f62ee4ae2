#include <gtest/gtest.h>

#include <cerrno>

#include "host/HostErrors.h"

namespace zarvelin::host {
namespace {

TEST(RunTimeNumber, MapsErrnoToTheRunTimesNumbers) {
  const struct {
    int errnoValue;
    Missing missing;
    int32_t number;
  } cases[] = {
      {ENOENT, Missing::kFile, vberr::kFileNotFound},
      {ENOENT, Missing::kDirectory, vberr::kPathNotFound},
      {ENOSPC, Missing::kFile, vberr::kDiskFull},
      {EXDEV, Missing::kFile, vberr::kCantRenameWithDifferentDrive},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTimeNumber(c.errnoValue, c.missing), c.number) << c.errnoValue;
  }
}

}  // namespace
}  // namespace zarvelin::host
