#include "host/HostErrors.h"

#include <sys/stat.h>

#include <cerrno>

namespace zarvelin::host {

int32_t RunTimeNumber(int errnoValue, Missing missing) {
  switch (errnoValue) {
    case ENOENT:
      return missing == Missing::kFile ? vberr::kFileNotFound : vberr::kPathNotFound;
    case ENOTDIR:
    case ELOOP:
      return vberr::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return vberr::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return vberr::kDiskFull;
    case EIO:
      return vberr::kDeviceIoError;
    case EEXIST:
      return vberr::kFileAlreadyExists;
    case EMFILE:
    case ENFILE:
      return vberr::kTooManyFiles;
    case EXDEV:
      return vberr::kCantRenameWithDifferentDrive;
    case ENODEV:
    case ENXIO:
      return vberr::kDeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
      return vberr::kDiskNotReady;
#endif
    case ENOMEM:
      return vberr::kOutOfMemory;
    case EINVAL:
    case EILSEQ:
      return vberr::kBadFileNameOrNumber;
    default:
      // EBUSY, ETXTBSY, ENAMETOOLONG, EISDIR, ENOTEMPTY and the rest: the file is there but
      // cannot be used so.
      return vberr::kPathFileAccessError;
  }
}

VbError HostError(int errnoValue, const std::string& hostPath) {
  Missing missing = Missing::kFile;
  if (errnoValue == ENOENT) {
    const auto slash = hostPath.find_last_of('/');
    const std::string parent =
        slash == 0 || slash == std::string::npos ? std::string("/") : hostPath.substr(0, slash);
    struct stat status {};
    if (stat(parent.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
      missing = Missing::kDirectory;
    }
  }
  return VbError(RunTimeNumber(errnoValue, missing));
}

}  // namespace zarvelin::host
