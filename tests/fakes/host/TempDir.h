#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/VbError.h"

namespace zarvelin::fakes {

// The run-time error number an action fails with; 0 when it does not fail.
inline int32_t FailureOf(const auto& action) {
  try {
    action();
  } catch (const VbError& error) {
    return error.Number();
  }
  return 0;
}

// A fresh directory on the host for one test, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory as the host names it ("/tmp/zarvelin-XXXXXX").
  const std::string& HostPath() const { return hostPath_; }
  // The directory as a VB path under the Z: drive that maps the host's root ("Z:\tmp\...").
  std::string VbPath() const;
  // HostPath() + "/" + relative, the relative part given with "/" or "\".
  std::string HostPath(std::string_view relative) const;

  // Writes the bytes as they are, creating missing parent directories.
  void Write(std::string_view relative, std::string_view bytes) const;
  // The file's bytes; throws std::runtime_error when it cannot be read.
  std::string Read(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  void MakeDirectory(std::string_view relative) const;
  // The names directly inside a directory (relative; empty: the temp dir itself), sorted.
  std::vector<std::string> List(std::string_view relative = {}) const;

 private:
  std::string hostPath_;
};

}  // namespace zarvelin::fakes
