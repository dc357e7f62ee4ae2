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

TEST(HostError, TellsAMissingFileFromAMissingDirectory) {
  EXPECT_EQ(HostError(ENOENT, "/tmp/zarvelin-no-such-file").Number(), vberr::kFileNotFound);
  EXPECT_EQ(HostError(ENOENT, "/zarvelin-no-such-dir/file").Number(), vberr::kPathNotFound);
  EXPECT_EQ(HostError(ENOENT, "/etc/hostname/below-a-file").Number(), vberr::kPathNotFound);
  EXPECT_EQ(HostError(EACCES, "/zarvelin-no-such-dir/file").Number(), vberr::kPermissionDenied);
}

}  // namespace
}  // namespace zarvelin::host
