#include "host/HostStagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <vector>

#include "host/HostErrors.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

constexpr size_t kCopyPieceSize = 64 * 1024;

// O_EXCL with O_CREAT never opens an entry that is there, nor follows a link there.
constexpr int kCreateNew = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// Short, so that a target whose name is at the file-name limit still gets one beside it.
constexpr std::string_view kTemporaryPrefix = ".~zv-";
constexpr int kTemporaryLetters = 6;
constexpr int kTemporaryAttempts = 100;

std::string DirectoryOf(const std::string& hostPath) {
  const auto slash = hostPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : hostPath.substr(0, slash);
}

// Copies what is left of input to output. The kernel moves the bytes itself where it can (no
// trip through this process's memory, shared extents on file systems that have them); between
// file systems or kernels that cannot, the bytes go through a buffer in pieces.
// The file is copied as big as it was when opened; a call that could only find the end is not
// made, save for a file that calls itself empty (as the files of /proc do). Answers the number of
// bytes copied.
unsigned long long CopyBytes(HostFile& input, HostFile& output) {
  unsigned long long copied = 0;
  for (;;) {
    const ssize_t count = copy_file_range(input.Descriptor(), nullptr, output.Descriptor(), nullptr,
                                          kCopyPieceSize * 16, 0);
    if (count == 0) return copied;
    if (count > 0) {
      copied += static_cast<unsigned long long>(count);
      if (input.Size() > 0 && copied >= input.Size()) return copied;
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
      throw HostError(errno, errno == ENOSPC || errno == EDQUOT || errno == EFBIG
                                 ? output.HostPath()
                                 : input.HostPath());
    }
    break;
  }
  std::vector<char> piece(kCopyPieceSize);
  for (;;) {
    const size_t count = input.Read(piece.data(), piece.size());
    if (count == 0) return copied;
    output.Write(std::string_view(piece.data(), count));
    copied += count;
  }
}

// A source that is not there is named in the failure, so that the message about it can say
// which file is missing rather than which one was being made.
HostFile OpenSource(const PathMapper& paths, const std::string& source) {
  try {
    return HostFile::OpenToRead(paths.ToHost(source));
  } catch (const VbError& error) {
    if (error.Number() != vberr::kFileNotFound && error.Number() != vberr::kPathNotFound) throw;
    throw VbError(error.Number(), error.Description() + ": '" + source + "'");
  }
}

// A fresh name for each attempt. O_EXCL is what makes the temporary file safe; the name only keeps
// meeting an existing entry rare.
std::string TemporaryName() {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string name(kTemporaryPrefix);
  for (int i = 0; i < kTemporaryLetters; ++i) name += kLetters[pick(random)];
  return name;
}

// How this process can give a file made without a name its name. Linux 6.10 and later let the
// process that opened it link it by its descriptor; before, only privileged processes could, and
// others can through its name under /proc. Some file systems cannot make such files at all.
enum class Linking { kUnknown, kByDescriptor, kThroughProc, kNone };

std::atomic<Linking>& LinkingHere() {
  static std::atomic<Linking> linking = Linking::kUnknown;
  return linking;
}

std::string ProcName(int descriptor) {
  return "/proc/self/fd/" + std::to_string(descriptor);
}

int LinkByDescriptor(int descriptor, const std::string& name) {
  return linkat(descriptor, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
}

int LinkThroughProc(int descriptor, const std::string& name) {
  return linkat(AT_FDCWD, ProcName(descriptor).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
}

// Asked to link onto a name that is surely taken (the directory itself), a way that works fails
// with EEXIST and one that is not allowed with ENOENT or EPERM, and nothing is made.
Linking ProbeLinking(int descriptor, const std::string& directory) {
  if (LinkByDescriptor(descriptor, directory) != 0 && errno == EEXIST) {
    return Linking::kByDescriptor;
  }
  if (LinkThroughProc(descriptor, directory) != 0 && errno == EEXIST) return Linking::kThroughProc;
  return Linking::kNone;
}

// 0, or the errno of the failed link.
int Link(int descriptor, const std::string& name) {
  const int linked = LinkingHere() == Linking::kByDescriptor ? LinkByDescriptor(descriptor, name)
                                                             : LinkThroughProc(descriptor, name);
  return linked == 0 ? 0 : errno;
}

// What open(2) gives a new file under the process's umask.
mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = umask(022);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

}  // namespace

HostStagedFile::HostStagedFile(const PathMapper& paths, std::string hostTarget,
                               DirectoryNames::Known known, bool unnamed)
    : paths_(paths), target_(std::move(hostTarget)) {
  // A listing held for the copy already knows of most targets that nothing is there.
  if (known == DirectoryNames::Known::kAbsent || !InspectTarget()) {
    if (CreateAtTarget()) return;
    // Another program made an entry there meanwhile: it is replaced as one found from the start.
    InspectTarget();
  }
  const std::string directory = DirectoryOf(target_);
  if (!unnamed || !OpenUnnamed(directory)) CreateTemporary(directory);
}

bool HostStagedFile::InspectTarget() {
  struct stat status {};
  if (lstat(target_.c_str(), &status) != 0) return false;
  targetExisted_ = true;
  if (S_ISDIR(status.st_mode)) throw VbError(vberr::kPathFileAccessError);
  if (S_ISREG(status.st_mode)) {
    // Windows will not replace a read-only file, and it is how a user says a file must stay.
    if ((status.st_mode & S_IWUSR) == 0) throw VbError(vberr::kPathFileAccessError);
    mode_ = status.st_mode & 07777;
    owner_ = {status.st_uid, status.st_gid};
  }
  return true;
}

bool HostStagedFile::CreateAtTarget() {
  const auto before = paths_.BeforeChange(target_);
  const int descriptor = open(target_.c_str(), kCreateNew, 0666);
  if (descriptor < 0) {
    if (errno == EEXIST) return false;
    throw HostError(errno, target_);
  }
  file_.emplace(descriptor, target_);
  madeAtTarget_ = true;
  paths_.Added(target_, before);
  return true;
}

void HostStagedFile::RemoveMadeAtTarget() {
  madeAtTarget_ = false;
  // Only the file this stage made is removed, should another program have put its own there.
  struct stat made {};
  const bool known = fstat(file_->Descriptor(), &made) == 0;
  file_.reset();
  struct stat there {};
  if (!known || lstat(target_.c_str(), &there) != 0 || there.st_dev != made.st_dev ||
      there.st_ino != made.st_ino) {
    return;
  }
  const auto before = paths_.BeforeChange(target_);
  if (unlink(target_.c_str()) == 0) paths_.Removed(target_, before);
}

bool HostStagedFile::OpenUnnamed(const std::string& directory) {
  if (LinkingHere() == Linking::kNone) return false;
  const int descriptor = open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    // The named way is taken instead, and tells why if it fails too; a file system that cannot
    // make files without a name at all is not asked again.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOSYS) {
      LinkingHere() = Linking::kNone;
    }
    return false;
  }
  file_.emplace(descriptor, target_);
  if (LinkingHere() == Linking::kUnknown) LinkingHere() = ProbeLinking(descriptor, directory);
  if (LinkingHere() != Linking::kNone) return true;
  file_.reset();
  return false;
}

void HostStagedFile::CreateTemporary(const std::string& directory) {
  const std::string prefix = directory == "/" ? "/" : directory + "/";
  for (int attempt = 1;; ++attempt) {
    const std::string candidate = prefix + TemporaryName();
    const auto before = paths_.BeforeChange(candidate);
    const int descriptor = open(candidate.c_str(), kCreateNew, 0666);
    if (descriptor >= 0) {
      temporary_ = candidate;
      file_.emplace(descriptor, temporary_);
      paths_.Added(temporary_, before);
      return;
    }
    if (errno != EEXIST || attempt == kTemporaryAttempts) throw HostError(errno, target_);
  }
}

void HostStagedFile::LinkTemporary() {
  const std::string directory = DirectoryOf(target_);
  const std::string prefix = directory == "/" ? "/" : directory + "/";
  for (int attempt = 1;; ++attempt) {
    const std::string candidate = prefix + TemporaryName();
    const auto before = paths_.BeforeChange(candidate);
    const int failure = Link(file_->Descriptor(), candidate);
    if (failure == 0) {
      temporary_ = candidate;
      paths_.Added(temporary_, before);
      return;
    }
    if (failure != EEXIST || attempt == kTemporaryAttempts) throw HostError(failure, target_);
  }
}

HostStagedFile::~HostStagedFile() {
  if (madeAtTarget_) RemoveMadeAtTarget();
  if (temporary_.empty()) return;
  file_.reset();
  const auto before = paths_.BeforeChange(temporary_);
  if (unlink(temporary_.c_str()) == 0) paths_.Removed(temporary_, before);
}

void HostStagedFile::Write(std::string_view bytes) {
  file_->Write(bytes);
  length_ += bytes.size();
}

void HostStagedFile::CopyFrom(const std::string& source) {
  Append(source, true);
}

void HostStagedFile::WriteFrom(const std::string& source) {
  Append(source, false);
}

void HostStagedFile::Append(const std::string& source, bool takeSourceMode) {
  HostFile input = OpenSource(paths_, source);
  // Onto its own path the copy would only make the same bytes again; a link at the target that
  // names the source is another entry, and becomes a file of its own.
  if (input.HostPath() == target_) {
    throw VbError(vberr::kPathFileAccessError);
  }
  if (!mode_ && takeSourceMode) mode_ = static_cast<mode_t>(input.Mode() & 0777);
  length_ += CopyBytes(input, *file_);
}

void HostStagedFile::Commit() {
  // Some file systems (FAT, network shares) have no owners or bits to set; the bytes matter there.
  if (owner_) {
    // The replaced file's owner is kept where the process may give it; where it may not, the file
    // is the process's own, as any file it writes.
    [[maybe_unused]] const int kept = fchown(file_->Descriptor(), owner_->first, owner_->second);
  }
  if (mode_ && *mode_ != NewFileMode()) fchmod(file_->Descriptor(), *mode_);
  if (madeAtTarget_) {
    try {
      file_->Close();
    } catch (...) {
      RemoveMadeAtTarget();
      throw;
    }
    madeAtTarget_ = false;
    paths_.Wrote(target_, length_);
    return;
  }
  if (temporary_.empty()) {
    // A batch of files puts the entries at their targets aside before each commit, so the name
    // may well be free by now.
    const auto before = paths_.BeforeChange(target_);
    const int failure = Link(file_->Descriptor(), target_);
    if (failure == 0) {
      paths_.Added(target_, before);
      try {
        file_->Close();
      } catch (...) {
        // The name was made by this link, so it holds nobody's file but this failed one.
        const auto beforeRemoval = paths_.BeforeChange(target_);
        if (unlink(target_.c_str()) == 0) paths_.Removed(target_, beforeRemoval);
        throw;
      }
      paths_.Wrote(target_, length_);
      return;
    }
    if (failure != EEXIST) throw HostError(failure, target_);
    // An entry is at the target: the file takes a name of its own and replaces it in one step.
    LinkTemporary();
  }
  file_->Close();
  const auto before = paths_.BeforeChange(target_);
  if (rename(temporary_.c_str(), target_.c_str()) != 0) throw HostError(errno, target_);
  paths_.Removed(temporary_, before);
  paths_.Added(target_, before);
  paths_.Wrote(target_, length_);
  temporary_.clear();
}

}  // namespace zarvelin::host
