#include "MemoryFileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "runtime/LineSplitter.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

// One spelling per file: "\" separates, "." and ".." are resolved, letter case does not count.
std::string Key(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : std::string(path) + "\\") {
    if (c != '\\' && c != '/') {
      part += c;
    } else if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
      part.clear();
    } else {
      if (!part.empty() && part != ".") parts.push_back(UpperCase(part));
      part.clear();
    }
  }
  std::string key;
  for (const std::string& p : parts) key += (key.empty() ? "" : "\\") + p;
  return key;
}

std::string ParentKey(const std::string& key) {
  const auto slash = key.find_last_of('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool IsRoot(const std::string& key) {
  return key.size() == 2 && key[1] == ':';
}

bool Matches(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip)
      if (Matches(name.substr(skip), pattern.substr(1))) return true;
    return false;
  }
  return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
         Matches(name.substr(1), pattern.substr(1));
}

class MemoryReader : public TextReader {
 public:
  MemoryReader(MemoryFileSystem& files, std::string path, std::string_view bytes)
      : files_(files), path_(std::move(path)) {
    lines_.Feed(bytes);
    lines_.Finish();
    files_.ReaderOpened(path_);
  }
  ~MemoryReader() override { files_.ReaderClosed(path_); }
  MemoryReader(const MemoryReader&) = delete;
  MemoryReader& operator=(const MemoryReader&) = delete;
  std::optional<std::string> ReadLine() override {
    files_.Check("ReadLine", path_);
    return lines_.Next();
  }
  std::string_view FirstLineEnd() const override { return lines_.FirstLineEnd(); }

 private:
  MemoryFileSystem& files_;
  std::string path_;
  LineSplitter lines_;
};

// A staged file: its bytes are held until Commit puts them at the target in one step, so an
// injected failure at any step leaves the target as it was.
class MemoryStagedFile : public StagedFile {
 public:
  MemoryStagedFile(MemoryFileSystem& files, std::string target, bool existed)
      : files_(files), target_(std::move(target)), existed_(existed) {}
  bool TargetExisted() const override { return existed_; }
  void Write(std::string_view bytes) override {
    files_.Check("Write", target_);
    bytes_ += bytes;
  }
  void CopyFrom(const std::string& source) override {
    files_.Check("CopyFrom", source + "|" + target_);
    bytes_ += files_.Bytes(source);
  }
  void WriteFrom(const std::string& source) override { CopyFrom(source); }
  void Commit() override {
    files_.Check("Commit", target_);
    files_.RequireClosed(target_);
    files_.Store(target_, bytes_);
    files_.Record("Commit " + target_);
  }

 private:
  MemoryFileSystem& files_;
  std::string target_;
  bool existed_;
  std::string bytes_;
};

}  // namespace

void MemoryFileSystem::Fail(std::string op, int32_t errorNumber, std::string pathContains,
                            int32_t passing) {
  faults_.push_back({std::move(op), errorNumber, UpperCase(pathContains), passing});
}

void MemoryFileSystem::ReaderOpened(const std::string& path) {
  ++openReaders_[Key(path)];
}

void MemoryFileSystem::ReaderClosed(const std::string& path) {
  --openReaders_[Key(path)];
}

void MemoryFileSystem::RequireClosed(const std::string& path) const {
  const auto open = openReaders_.find(Key(path));
  if (open != openReaders_.end() && open->second > 0) throw VbError(vberr::kPermissionDenied);
}

void MemoryFileSystem::Check(std::string_view op, std::string_view path) {
  for (auto fault = faults_.begin(); fault != faults_.end(); ++fault) {
    if (fault->op != op || UpperCase(path).find(fault->pathContains) == std::string::npos) continue;
    if (fault->passing-- > 0) return;
    const int32_t number = fault->errorNumber;
    faults_.erase(fault);
    throw VbError(number);
  }
}

void MemoryFileSystem::PutDirectory(const std::string& path) {
  const std::string key = Key(path);
  if (key.empty() || IsRoot(key) || entries_.count(key)) return;
  PutDirectory(ParentKey(key));
  entries_[key] = Entry{path, true, {}, fileattr::kDirectory};
}

void MemoryFileSystem::Put(const std::string& path, std::string_view bytes, int32_t attributes) {
  PutDirectory(ParentKey(Key(path)));
  entries_[Key(path)] = Entry{path, false, std::string(bytes), attributes};
}

void MemoryFileSystem::LoadTree(const std::string& hostDirectory, const std::string& vbDirectory) {
  PutDirectory(vbDirectory);
  for (const auto& item : std::filesystem::recursive_directory_iterator(hostDirectory)) {
    std::string relative = item.path().lexically_relative(hostDirectory).generic_string();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    const std::string path = vbDirectory + "\\" + relative;
    if (item.is_directory()) {
      PutDirectory(path);
    } else {
      std::ifstream in(item.path(), std::ios::binary);
      Put(path, std::string(std::istreambuf_iterator<char>(in), {}));
    }
  }
}

std::string MemoryFileSystem::Bytes(const std::string& path) const {
  return Existing(path).bytes;
}

bool MemoryFileSystem::Exists(const std::string& path) const {
  return entries_.count(Key(path)) != 0;
}

std::map<std::string, std::string> MemoryFileSystem::FilesUnder(
    const std::string& directory) const {
  const std::string prefix = Key(directory) + "\\";
  std::map<std::string, std::string> files;
  for (const auto& [key, entry] : entries_) {
    if (!entry.directory && key.rfind(prefix, 0) == 0) files[entry.path] = entry.bytes;
  }
  return files;
}

std::vector<std::string> MemoryFileSystem::FoldersUnder(const std::string& directory) const {
  const std::string prefix = Key(directory) + "\\";
  std::vector<std::string> folders;
  for (const auto& [key, entry] : entries_) {
    if (entry.directory && key.rfind(prefix, 0) == 0) folders.push_back(entry.path);
  }
  return folders;
}

const MemoryFileSystem::Entry& MemoryFileSystem::Existing(const std::string& path) const {
  static const Entry root{"", true, {}, fileattr::kDirectory};
  const auto found = entries_.find(Key(path));
  if (found != entries_.end()) return found->second;
  if (IsRoot(Key(path))) return root;
  RequireParent(path);
  throw VbError(vberr::kFileNotFound);
}

void MemoryFileSystem::RequireParent(const std::string& path) const {
  const std::string parent = ParentKey(Key(path));
  const auto found = entries_.find(parent);
  if (!IsRoot(parent) && (found == entries_.end() || !found->second.directory))
    throw VbError(vberr::kPathNotFound);
}

void MemoryFileSystem::RequireWritable(const std::string& path) const {
  RequireParent(path);
  const auto found = entries_.find(Key(path));
  if (found == entries_.end()) return;
  if (found->second.directory) throw VbError(vberr::kPathFileAccessError);
  if (found->second.attributes & fileattr::kReadOnly) throw VbError(vberr::kPermissionDenied);
}

void MemoryFileSystem::Store(const std::string& path, std::string bytes) {
  RequireWritable(path);
  Entry& entry = entries_[Key(path)];
  if (entry.path.empty()) entry.path = path;
  entry.bytes = std::move(bytes);
}

void MemoryFileSystem::Copy(const std::string& source, const std::string& target) {
  Check("Copy", source + "|" + target);
  const Entry& from = Existing(source);
  if (from.directory) throw VbError(vberr::kFileNotFound);
  if (Key(source) == Key(target)) throw VbError(vberr::kPathFileAccessError);
  Store(target, from.bytes);
  Record("Copy " + source + " -> " + target);
}

void MemoryFileSystem::Delete(const std::string& path) {
  Check("Delete", path);
  if (Existing(path).attributes & fileattr::kReadOnly) throw VbError(vberr::kPathFileAccessError);
  RequireClosed(path);
  entries_.erase(Key(path));
  Record("Delete " + path);
}

void MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  Check("Rename", from + "|" + to);
  Entry moved = Existing(from);
  if (Exists(to)) throw VbError(vberr::kFileAlreadyExists);
  RequireParent(to);
  entries_.erase(Key(from));
  moved.path = to;
  entries_[Key(to)] = moved;
  Record("Rename " + from + " -> " + to);
}

void MemoryFileSystem::Replace(const std::string& from, const std::string& to) {
  Check("Replace", from + "|" + to);
  Entry moved = Existing(from);
  RequireWritable(to);
  RequireClosed(from);
  RequireClosed(to);
  entries_.erase(Key(from));
  moved.path = Exists(to) ? entries_[Key(to)].path : to;
  entries_[Key(to)] = moved;
  Record("Replace " + from + " -> " + to);
}

int32_t MemoryFileSystem::Attributes(const std::string& path) {
  Check("Attributes", path);
  return Existing(path).attributes;
}

int64_t MemoryFileSystem::Length(const std::string& path) {
  Check("Length", path);
  return static_cast<int64_t>(Existing(path).bytes.size());
}

DateTime MemoryFileSystem::LastModified(const std::string& path) {
  Check("LastModified", path);
  Existing(path);
  return DateTime{2026, 12, 1, 9, 30, 0};
}

std::string MemoryFileSystem::FindFirst(const std::string& pattern, int32_t attributeMask) {
  Check("FindFirst", pattern);
  const std::string key = Key(pattern);
  const std::string directory = ParentKey(key);
  const std::string namePattern = key.substr(directory.empty() ? 0 : directory.size() + 1);
  for (const auto& [entryKey, entry] : entries_) {
    const int32_t special =
        entry.attributes & (fileattr::kHidden | fileattr::kSystem | fileattr::kDirectory);
    if (ParentKey(entryKey) != directory || (special & ~attributeMask) != 0) continue;
    const std::string name = entryKey.substr(directory.size() + 1);
    if (Matches(name, namePattern)) return entry.path.substr(entry.path.find_last_of('\\') + 1);
  }
  return {};
}

void MemoryFileSystem::MakeDirectory(const std::string& path) {
  Check("MakeDirectory", path);
  RequireParent(path);
  if (Exists(path)) throw VbError(vberr::kPathFileAccessError);
  entries_[Key(path)] = Entry{path, true, {}, fileattr::kDirectory};
  Record("MakeDirectory " + path);
}

void MemoryFileSystem::RemoveEmptyDirectory(const std::string& path) {
  Check("RemoveEmptyDirectory", path);
  const std::string key = Key(path);
  if (!Existing(path).directory) throw VbError(vberr::kPathNotFound);
  const auto next = entries_.upper_bound(key);
  if (next != entries_.end() && next->first.starts_with(key + "\\")) {
    throw VbError(vberr::kPathFileAccessError);
  }
  entries_.erase(key);
  Record("RemoveEmptyDirectory " + path);
}

bool MemoryFileSystem::SameFile(const std::string& first, const std::string& second) {
  Check("SameFile", first + "|" + second);
  return Exists(first) && Key(first) == Key(second);
}

std::unique_ptr<TextReader> MemoryFileSystem::OpenText(const std::string& path) {
  Check("OpenText", path);
  const Entry& entry = Existing(path);
  if (entry.directory) throw VbError(vberr::kPathFileAccessError);
  return std::make_unique<MemoryReader>(*this, path, entry.bytes);
}

std::string MemoryFileSystem::ReadBytes(const std::string& path) {
  Check("ReadBytes", path);
  const Entry& entry = Existing(path);
  if (entry.directory) throw VbError(vberr::kPathFileAccessError);
  return entry.bytes;
}

std::unique_ptr<StagedFile> MemoryFileSystem::Stage(const std::string& target) {
  Check("Stage", target);
  RequireParent(target);
  RequireWritable(target);
  return std::make_unique<MemoryStagedFile>(*this, target, Exists(target));
}

void MemoryFileSystem::AppendText(const std::string& path, std::string_view text) {
  Check("AppendText", path);
  const std::string before = Exists(path) ? Bytes(path) : std::string();
  Store(path, before + std::string(text));
  Record("AppendText " + path);
}

}  // namespace zarvelin::fakes
