#include <gtest/gtest.h>

#include <cerrno>

#include "host/HostErrors.h"

namespace zarvelin::host {
namespace {

TEST(RunTimeNumber, MapsEveryErrnoTheBackendMeets) {
  const struct {
    int errnoValue;
    Missing missing;
    int32_t number;
  } cases[] = {
      {ENOENT, Missing::kFile, vberr::kFileNotFound},
      {ENOENT, Missing::kDirectory, vberr::kPathNotFound},
      {ENOTDIR, Missing::kFile, vberr::kPathNotFound},
      {EACCES, Missing::kFile, vberr::kPermissionDenied},
      {EPERM, Missing::kFile, vberr::kPermissionDenied},
      {EROFS, Missing::kFile, vberr::kPermissionDenied},
      {ENOSPC, Missing::kFile, vberr::kDiskFull},
      {EDQUOT, Missing::kFile, vberr::kDiskFull},
      {EIO, Missing::kFile, vberr::kDeviceIoError},
      {EBUSY, Missing::kFile, vberr::kPathFileAccessError},
      {ETXTBSY, Missing::kFile, vberr::kPathFileAccessError},
      {ENAMETOOLONG, Missing::kFile, vberr::kPathFileAccessError},
      {EISDIR, Missing::kFile, vberr::kPathFileAccessError},
      {EEXIST, Missing::kFile, vberr::kFileAlreadyExists},
      {EMFILE, Missing::kFile, vberr::kTooManyFiles},
      {ENFILE, Missing::kFile, vberr::kTooManyFiles},
      {EXDEV, Missing::kFile, vberr::kCantRenameWithDifferentDrive},
      {ENXIO, Missing::kFile, vberr::kDeviceUnavailable},
      {EINVAL, Missing::kFile, vberr::kBadFileNameOrNumber},
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
