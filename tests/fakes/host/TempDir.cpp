#include "TempDir.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace zarvelin::fakes {
namespace {

std::string WithSlashes(std::string_view relative) {
  std::string path(relative);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zarvelin-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
  // The Z: drive maps the host's root; a symlinked temp dir would make two spellings of one file.
  hostPath_ = std::filesystem::canonical(pattern).string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(hostPath_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(hostPath_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(hostPath_, ignored);
}

std::string TempDir::VbPath() const {
  std::string path = "Z:" + hostPath_;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string TempDir::HostPath(std::string_view relative) const {
  return hostPath_ + "/" + WithSlashes(relative);
}

void TempDir::Write(std::string_view relative, std::string_view bytes) const {
  const std::filesystem::path path = HostPath(relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::string TempDir::Read(std::string_view relative) const {
  std::ifstream in(HostPath(relative), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + HostPath(relative));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(std::string_view relative) const {
  std::error_code ignored;
  return std::filesystem::exists(HostPath(relative), ignored);
}

void TempDir::MakeDirectory(std::string_view relative) const {
  std::filesystem::create_directories(HostPath(relative));
}

std::vector<std::string> TempDir::List(std::string_view relative) const {
  std::vector<std::string> names;
  const std::string directory = relative.empty() ? hostPath_ : HostPath(relative);
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zarvelin::fakes
