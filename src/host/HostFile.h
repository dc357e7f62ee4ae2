#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarvelin::host {

// An open host file: closed when it goes out of scope, every failure a VbError with the run
// time's number for the errno.
class HostFile {
 public:
  // open(2) with O_CLOEXEC added.
  static HostFile Open(const std::string& hostPath, int flags, unsigned mode = 0666);
  // Opens a regular file for reading; anything else is a path/file access error. The file's size,
  // permission bits and version at the open are kept.
  static HostFile OpenToRead(const std::string& hostPath);
  // Tells one state of a file from any other: its device and inode, size, and times of change.
  static std::string VersionOf(const struct stat& status);
  // Takes over a descriptor that is already open (mkstemp).
  HostFile(int descriptor, std::string hostPath);
  ~HostFile();
  HostFile(HostFile&& other) noexcept;
  HostFile& operator=(HostFile&&) = delete;
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  int Descriptor() const { return descriptor_; }
  const std::string& HostPath() const { return hostPath_; }
  // For a file opened to read: its size, permission bits and version when it was opened.
  unsigned long long Size() const { return size_; }
  unsigned Mode() const { return mode_; }
  // Written out only when asked: most files are read without it.
  std::string Version() const { return status_ ? VersionOf(*status_) : std::string(); }

  // Up to size bytes; 0 at the end of the file.
  size_t Read(char* buffer, size_t size);
  // All of the bytes, or a failure.
  void Write(std::string_view bytes);
  // Down to the device.
  void Sync();
  // Closes now, so that a late failure (a full disk on a network file) is not lost.
  void Close();

 private:
  int descriptor_;
  std::string hostPath_;
  unsigned long long size_ = 0;
  unsigned mode_ = 0;
  std::optional<struct stat> status_;
};

}  // namespace zarvelin::host
