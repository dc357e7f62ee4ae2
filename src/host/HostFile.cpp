#include "host/HostFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>
#include <string>
#include <utility>

#include "host/HostErrors.h"
#include "runtime/VbError.h"

namespace zarvelin::host {

HostFile HostFile::Open(const std::string& hostPath, int flags, unsigned mode) {
  int descriptor = -1;
  do {
    descriptor = open(hostPath.c_str(), flags | O_CLOEXEC, static_cast<mode_t>(mode));
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) throw HostError(errno, hostPath);
  return HostFile(descriptor, hostPath);
}

// A fifo would wait for a writer to come and a device may never end: a component, a document or a
// project file is only ever a file. O_NONBLOCK lets the open itself return, whatever is there; it
// stays set, since it changes nothing for the regular file that is all this ever reads.
HostFile HostFile::OpenToRead(const std::string& hostPath) {
  HostFile file = Open(hostPath, O_RDONLY | O_NONBLOCK);
  struct stat status {};
  if (fstat(file.descriptor_, &status) != 0) throw HostError(errno, hostPath);
  if (!S_ISREG(status.st_mode)) throw VbError(vberr::kPathFileAccessError);
  file.size_ = static_cast<unsigned long long>(status.st_size);
  file.mode_ = status.st_mode & 07777;
  file.status_ = status;
  return file;
}

// Change times are kept to the nanosecond, but a kernel with coarse time stamps gives two changes
// within one clock tick the same one; kernels that hand out fine-grained stamps once one was read
// do not have that gap.
std::string HostFile::VersionOf(const struct stat& status) {
  // Only ever compared, never shown: the numbers' own bytes, asked of every file opened.
  const unsigned long long numbers[] = {status.st_dev,
                                        status.st_ino,
                                        static_cast<unsigned long long>(status.st_size),
                                        static_cast<unsigned long long>(status.st_mtim.tv_sec),
                                        static_cast<unsigned long long>(status.st_mtim.tv_nsec),
                                        static_cast<unsigned long long>(status.st_ctim.tv_sec),
                                        static_cast<unsigned long long>(status.st_ctim.tv_nsec)};
  return std::string(reinterpret_cast<const char*>(numbers), sizeof numbers);
}

HostFile::HostFile(int descriptor, std::string hostPath)
    : descriptor_(descriptor), hostPath_(std::move(hostPath)) {}

HostFile::HostFile(HostFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      hostPath_(std::move(other.hostPath_)),
      size_(other.size_),
      mode_(other.mode_),
      status_(other.status_) {}

HostFile::~HostFile() {
  if (descriptor_ >= 0) close(descriptor_);
}

size_t HostFile::Read(char* buffer, size_t size) {
  for (;;) {
    const ssize_t count = read(descriptor_, buffer, size);
    if (count >= 0) return static_cast<size_t>(count);
    if (errno != EINTR) throw HostError(errno, hostPath_);
  }
}

void HostFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(descriptor_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw HostError(errno, hostPath_);
    // A write that takes nothing and reports no error can only mean there is no room.
    if (count == 0) throw HostError(ENOSPC, hostPath_);
    bytes.remove_prefix(static_cast<size_t>(count));
  }
}

void HostFile::Sync() {
  if (fsync(descriptor_) != 0 && errno != EINVAL) throw HostError(errno, hostPath_);
}

void HostFile::Close() {
  const int descriptor = std::exchange(descriptor_, -1);
  if (descriptor >= 0 && close(descriptor) != 0 && errno != EINTR) {
    throw HostError(errno, hostPath_);
  }
}

}  // namespace zarvelin::host
