#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/VbError.h"

namespace zarvelin::host::testing_support {

// The run-time error number an action fails with; 0 when it does not fail.
inline int32_t FailureOf(const auto& action) {
  try {
    action();
  } catch (const VbError& error) {
    return error.Number();
  }
  return 0;
}

// A scratch directory on the host, removed with everything in it when the test ends.
class HostTree {
 public:
  HostTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvelin-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
  }
  ~HostTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  HostTree(const HostTree&) = delete;
  HostTree& operator=(const HostTree&) = delete;

  const std::string& Root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

  void Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
    std::ofstream(Path(relative), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& relative) const {
    return std::filesystem::exists(std::filesystem::symlink_status(Path(relative)));
  }
  void MakeDirectory(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
  }
  // The names in a directory, so a test can see that no temporary file was left behind.
  size_t EntryCount(const std::string& relative) const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(Path(relative)),
                                             std::filesystem::directory_iterator()));
  }

 private:
  std::string root_;
};

}  // namespace zarvelin::host::testing_support
