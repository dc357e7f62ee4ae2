#include "host/HostFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

#include "host/HostErrors.h"
#include "host/HostFile.h"
#include "host/HostStagedFile.h"
#include "host/HostTextFiles.h"
#include "host/Wildcard.h"
#include "runtime/Strings.h"

namespace zarvelin::host {
namespace {

std::string HostParent(const std::string& hostPath) {
  const auto slash = hostPath.find_last_of('/');
  return slash == 0 || slash == std::string::npos ? "/" : hostPath.substr(0, slash);
}

std::string HostName(const std::string& hostPath) {
  const auto slash = hostPath.find_last_of('/');
  return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

struct stat StatOf(const std::string& hostPath) {
  struct stat status {};
  if (stat(hostPath.c_str(), &status) != 0) throw HostError(errno, hostPath);
  return status;
}

bool IsSameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A name that starts with a dot is hidden, as Wine shows it.
int32_t NameAttributesOf(const std::string& name) {
  return name.size() > 1 && name.front() == '.' && name != ".." ? fileattr::kHidden
                                                                : fileattr::kNormal;
}

int32_t AttributesOf(const struct stat& status, const std::string& name) {
  int32_t attributes = NameAttributesOf(name);
  if (S_ISDIR(status.st_mode)) {
    attributes |= fileattr::kDirectory;
  } else {
    attributes |= fileattr::kArchive;
  }
  if ((status.st_mode & S_IWUSR) == 0) attributes |= fileattr::kReadOnly;
  return attributes;
}

// The directory part and the name part of a Dir pattern, as VB splits them: at the last "\",
// else after a drive prefix; no directory means the working directory.
std::pair<std::string, std::string> SplitPattern(const std::string& pattern) {
  const auto slash = pattern.find_last_of('\\');
  if (slash != std::string::npos) return {pattern.substr(0, slash + 1), pattern.substr(slash + 1)};
  if (pattern.size() >= 2 && pattern[1] == ':') return {pattern.substr(0, 2), pattern.substr(2)};
  return {".", pattern};
}

// A source that is not there is the failure, whatever the rename itself said; any other is the
// target's. Asked only once a rename failed, so that a rename that works costs one call.
void RequireEntry(const std::string& hostPath) {
  struct stat status {};
  if (lstat(hostPath.c_str(), &status) != 0) throw HostError(errno, hostPath);
}

[[noreturn]] void ThrowRenameFailure(int failure, const std::string& source,
                                     const std::string& target) {
  RequireEntry(source);
  throw HostError(failure, target);
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

}  // namespace

HostFileSystem::HostFileSystem(const PathMapper& paths, Staging staging)
    : paths_(paths), staging_(staging) {}

void HostFileSystem::Copy(const std::string& source, const std::string& target) {
  const std::unique_ptr<StagedFile> staged = Stage(target);
  staged->CopyFrom(source);
  staged->Commit();
}

std::unique_ptr<StagedFile> HostFileSystem::Stage(const std::string& target) {
  DirectoryNames::Known known = DirectoryNames::Known::kNothing;
  std::string host = paths_.ToHost(target, known);
  return std::make_unique<HostStagedFile>(paths_, std::move(host), known,
                                          staging_ == Staging::kUnnamedWhereSupported);
}

std::unique_ptr<ListingHold> HostFileSystem::HoldListings() {
  class Hold : public ListingHold {
   public:
    explicit Hold(const PathMapper& paths) : paths_(paths) { paths_.HoldListings(); }
    ~Hold() override { paths_.ReleaseListings(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    const PathMapper& paths_;
  };
  return std::make_unique<Hold>(paths_);
}

std::string HostFileSystem::LinkTarget(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  struct stat status {};
  if (lstat(host.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  const std::unique_ptr<char, void (*)(void*)> resolved(realpath(host.c_str(), nullptr), free);
  if (!resolved) throw HostError(errno, host);
  return paths_.ToVb(resolved.get());
}

void HostFileSystem::Delete(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  const auto before = paths_.BeforeChange(host);
  if (unlink(host.c_str()) != 0) throw HostError(errno, host);
  paths_.Removed(host, before);
}

void HostFileSystem::Rename(const std::string& from, const std::string& to) {
  const std::string source = paths_.ToHost(from);
  std::string target = paths_.ToHost(to);
  if (target == source) {
    // The new name differs from the old one in letter case only: the disk takes the new spelling.
    const std::string absolute = paths_.Absolute(to);
    target = HostParent(source) + "/" + absolute.substr(absolute.find_last_of('\\') + 1);
    if (target == source) {
      RequireEntry(source);
      return;
    }
    const auto before = paths_.BeforeChange(source);
    if (rename(source.c_str(), target.c_str()) != 0) ThrowRenameFailure(errno, source, target);
    Moved(source, target, before, before);
    return;
  }
  const auto sourceBefore = paths_.BeforeChange(source);
  const auto targetBefore = paths_.BeforeChange(target);
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    Moved(source, target, sourceBefore, targetBefore);
    return;
  }
  if (errno != EINVAL && errno != ENOSYS) ThrowRenameFailure(errno, source, target);
#endif
  RequireEntry(source);
  struct stat targetStatus {};
  if (lstat(target.c_str(), &targetStatus) == 0) throw VbError(vberr::kFileAlreadyExists);
  if (rename(source.c_str(), target.c_str()) != 0) ThrowRenameFailure(errno, source, target);
  Moved(source, target, sourceBefore, targetBefore);
}

void HostFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::string source = paths_.ToHost(from);
  const std::string target = paths_.ToHost(to);
  const auto sourceBefore = paths_.BeforeChange(source);
  const auto targetBefore = paths_.BeforeChange(target);
  if (rename(source.c_str(), target.c_str()) != 0) ThrowRenameFailure(errno, source, target);
  Moved(source, target, sourceBefore, targetBefore);
}

void HostFileSystem::Moved(const std::string& source, const std::string& target,
                           const std::optional<DirectoryNames::Stamp>& sourceBefore,
                           const std::optional<DirectoryNames::Stamp>& targetBefore) const {
  paths_.Removed(source, sourceBefore);
  paths_.Added(target, targetBefore);
}

int32_t HostFileSystem::Attributes(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  return AttributesOf(StatOf(host), HostName(host));
}

int64_t HostFileSystem::Length(const std::string& path) {
  DirectoryNames::Known known = DirectoryNames::Known::kNothing;
  const std::string host = paths_.ToHost(path, known);
  if (known == DirectoryNames::Known::kAbsent) throw HostError(ENOENT, host);
  // A file this process wrote whole under the hold is as long as what it wrote.
  if (const std::optional<unsigned long long> written = paths_.WrittenLength(host)) {
    return static_cast<int64_t>(*written);
  }
  return static_cast<int64_t>(StatOf(host).st_size);
}

DateTime HostFileSystem::LastModified(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  const time_t modified = StatOf(host).st_mtime;
  std::tm local{};
  if (localtime_r(&modified, &local) == nullptr) throw VbError(vberr::kOverflow);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string HostFileSystem::FindFirst(const std::string& pattern, int32_t attributeMask) {
  const auto [directory, namePattern] = SplitPattern(pattern);
  // A drive or share that is not there holds nothing.
  DirectoryNames::Known known = DirectoryNames::Known::kNothing;
  const auto hostOf = [&](const std::string& path) -> std::optional<std::string> {
    try {
      return paths_.ToHost(path, known);
    } catch (const VbError& error) {
      if (error.Number() == vberr::kPathNotFound) return std::nullopt;
      throw;
    }
  };
  const auto fits = [&](int32_t attributes) {
    const int32_t wanted = fileattr::kHidden | fileattr::kSystem | fileattr::kDirectory;
    return (attributes & wanted & ~attributeMask) == 0;
  };

  if (!namePattern.empty() && !HasWildcard(namePattern)) {
    // A plain name is looked up like any path, so letter case does not matter.
    const std::optional<std::string> found = hostOf(pattern);
    if (!found) return {};
    const std::string& host = *found;
    const std::string name = HostName(host);
    // What the mask asks of a file the held listing read as a regular one, its name tells.
    if (known == DirectoryNames::Known::kAbsent) return {};
    int32_t attributes = NameAttributesOf(name) | fileattr::kArchive;
    if (known != DirectoryNames::Known::kFile) {
      struct stat status {};
      if (stat(host.c_str(), &status) != 0) return {};
      attributes = AttributesOf(status, name);
    }
    return fits(attributes) ? name : std::string();
  }

  const std::optional<std::string> hostFolder = hostOf(directory);
  if (!hostFolder) return {};
  const std::string& hostDirectory = *hostFolder;
  const std::string wanted = namePattern.empty() ? "*" : namePattern;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(hostDirectory.c_str()), closedir);
  if (!listing) return {};
  // A drive root has no "." and ".." entries, as on Windows.
  const std::string absolute = paths_.Absolute(directory);
  const bool atRoot = absolute.back() == '\\';
  std::optional<std::string> first;
  const auto earlier = [](const std::string& a, const std::string& b) {
    const std::string upperA = UpperAscii(a);
    const std::string upperB = UpperAscii(b);
    return upperA != upperB ? upperA < upperB : a < b;
  };
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    // A drive root has no "." and ".." entries, as on Windows.
    if ((name == "." || name == "..") && atRoot) continue;
    if (!MatchesPattern(wanted, name)) continue;
    struct stat status {};
    const std::string entryPath =
        (hostDirectory == "/" ? std::string() : hostDirectory) + "/" + name;
    if (stat(entryPath.c_str(), &status) != 0) continue;
    if (fits(AttributesOf(status, name)) && (!first || earlier(name, *first))) first = name;
  }
  return first.value_or(std::string());
}

std::string HostFileSystem::EntryName(const std::string& path) {
  DirectoryNames::Known known = DirectoryNames::Known::kNothing;
  std::string host;
  try {
    host = paths_.ToHost(path, known);
  } catch (const VbError& error) {
    // A drive or share that is not there holds nothing.
    if (error.Number() == vberr::kPathNotFound) return {};
    throw;
  }
  // A held listing names every entry, links to nothing among them: what it lacks is not there.
  if (known == DirectoryNames::Known::kAbsent) return {};
  struct stat status {};
  if (known != DirectoryNames::Known::kFile && lstat(host.c_str(), &status) != 0) return {};
  return HostName(host);
}

void HostFileSystem::MakeDirectory(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  const auto before = paths_.BeforeChange(host);
  if (mkdir(host.c_str(), 0777) == 0) {
    paths_.Added(host, before);
    return;
  }
  // MkDir of a name that exists answers "Path/File access error" in VB, not "already exists".
  if (errno == EEXIST) throw VbError(vberr::kPathFileAccessError);
  throw HostError(errno, host);
}

void HostFileSystem::RemoveEmptyDirectory(const std::string& path) {
  const std::string host = paths_.ToHost(path);
  const auto before = paths_.BeforeChange(host);
  if (rmdir(host.c_str()) == 0) {
    paths_.Removed(host, before);
    return;
  }
  // RmDir of a directory that holds anything answers "Path/File access error" in VB.
  if (errno == ENOTEMPTY || errno == EEXIST) throw VbError(vberr::kPathFileAccessError);
  throw HostError(errno, host);
}

bool HostFileSystem::SameFile(const std::string& first, const std::string& second) {
  try {
    struct stat a {};
    struct stat b {};
    return stat(paths_.ToHost(first).c_str(), &a) == 0 &&
           stat(paths_.ToHost(second).c_str(), &b) == 0 && IsSameFile(a, b);
  } catch (const VbError&) {
    return false;
  }
}

std::unique_ptr<TextReader> HostFileSystem::OpenText(const std::string& path) {
  // A directory opens for reading; its first read fails (EISDIR, 75), which spares a look at
  // every file before it is read.
  return std::make_unique<HostTextReader>(HostFile::OpenToRead(paths_.ToHost(path)));
}

std::string HostFileSystem::ReadBytes(const std::string& path) {
  HostFile file = HostFile::OpenToRead(paths_.ToHost(path));
  std::string bytes;
  std::array<char, 65536> piece;
  while (const size_t count = file.Read(piece.data(), piece.size()))
    bytes.append(piece.data(), count);
  return bytes;
}

std::optional<std::string> HostFileSystem::Version(const std::string& path) {
  struct stat status {};
  try {
    if (stat(paths_.ToHost(path).c_str(), &status) != 0) return std::nullopt;
  } catch (const VbError&) {
    // A name that maps to nothing has no version; opening it tells why.
    return std::nullopt;
  }
  if (!S_ISREG(status.st_mode)) return std::nullopt;
  return HostFile::VersionOf(status);
}

void HostFileSystem::AppendText(const std::string& path, std::string_view text) {
  HostFile file = OpenCreating(paths_.ToHost(path), O_APPEND);
  file.Write(text);
  file.Close();
}

HostFile HostFileSystem::OpenCreating(const std::string& host, int flags) const {
  const auto before = paths_.BeforeChange(host);
  HostFile file = HostFile::Open(host, O_WRONLY | O_CREAT | flags);
  paths_.Added(host, before);
  return file;
}

}  // namespace zarvelin::host
