#include "win32/WinFileSystem.h"

#include <algorithm>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "runtime/LineSplitter.h"
#include "win32/WideText.h"

namespace zarvelin::win32 {
namespace {

constexpr size_t kPieceSize = 64 * 1024;

// Short, so that a target whose name is at the file-name limit still gets one beside it.
constexpr std::wstring_view kTemporaryPrefix = L".~zv-";
constexpr int kTemporaryLetters = 6;
constexpr int kTemporaryAttempts = 100;

// The attribute bits GetAttr reports; Windows numbers them as the run time does.
constexpr DWORD kReportedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                      FILE_ATTRIBUTE_ARCHIVE;

// Closed when it goes out of scope, so no failure leaks a handle.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  Handle& operator=(Handle&&) = delete;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE Get() const { return handle_; }
  void Close() {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }

 private:
  HANDLE handle_;
};

Handle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
            DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  const HANDLE handle =
      CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw WinError(GetLastError(), path);
  return Handle(handle);
}

size_t ReadSome(const Handle& file, char* buffer, size_t size, const std::wstring& path) {
  DWORD count = 0;
  if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(size), &count, nullptr)) {
    throw WinError(GetLastError(), path);
  }
  return count;
}

void WriteAll(const Handle& file, std::string_view bytes, const std::wstring& path) {
  while (!bytes.empty()) {
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size(), kPieceSize));
    DWORD count = 0;
    if (!WriteFile(file.Get(), bytes.data(), wanted, &count, nullptr)) {
      throw WinError(GetLastError(), path);
    }
    // A write that takes nothing and reports no error can only mean there is no room.
    if (count == 0) throw WinError(ERROR_DISK_FULL, path);
    bytes.remove_prefix(count);
  }
}

std::optional<DWORD> AttributesOf(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool IsDirectory(const std::wstring& path) {
  const std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The directory holding path, "." for a bare name; a drive's root keeps its backslash, since
// "C:" alone is the drive's working directory.
std::wstring ParentOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) {
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring(L".");
  }
  if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool SamePathText(const std::wstring& first, const std::wstring& second) {
  return CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A fresh name for each attempt. CREATE_NEW is what makes the temporary file safe; the name only
// keeps meeting an existing entry rare.
std::wstring TemporaryName() {
  static constexpr wchar_t kLetters[] =
      L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, std::size(kLetters) - 2);
  std::wstring name(kTemporaryPrefix);
  for (int i = 0; i < kTemporaryLetters; ++i) name += kLetters[pick(random)];
  return name;
}

// A source that is not there is named in the failure, so that the message about it can say
// which file is missing rather than which one was being made.
Handle OpenSource(const std::string& source) {
  const std::wstring path = Wide(source);
  if (IsDirectory(path)) throw VbError(vberr::kPathFileAccessError);
  try {
    return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  } catch (const VbError& error) {
    if (error.Number() != vberr::kFileNotFound && error.Number() != vberr::kPathNotFound) throw;
    throw VbError(error.Number(), error.Description() + ": '" + source + "'");
  }
}

class WinStagedFile : public StagedFile {
 public:
  explicit WinStagedFile(std::wstring target) : target_(std::move(target)) {
    if (const std::optional<DWORD> attributes = AttributesOf(target_)) {
      targetExisted_ = true;
      // Windows will not replace a read-only file, and it is how a user says a file must stay.
      if ((*attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        throw VbError(vberr::kPathFileAccessError);
      }
      attributes_ = *attributes;
    }
    const std::wstring directory = ParentOf(target_);
    const std::wstring prefix =
        directory.back() == L'\\' || directory.back() == L':' ? directory : directory + L"\\";
    for (int attempt = 1;; ++attempt) {
      const std::wstring candidate = prefix + TemporaryName();
      // CREATE_NEW never opens an entry that is there, nor follows a link there.
      const HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        temporary_ = candidate;
        file_.emplace(handle);
        return;
      }
      const DWORD error = GetLastError();
      if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ||
          attempt == kTemporaryAttempts) {
        throw WinError(error, target_);
      }
    }
  }
  ~WinStagedFile() override {
    if (temporary_.empty()) return;
    file_.reset();
    DeleteFileW(temporary_.c_str());
  }
  WinStagedFile(const WinStagedFile&) = delete;
  WinStagedFile& operator=(const WinStagedFile&) = delete;

  bool TargetExisted() const override { return targetExisted_; }

  void Write(std::string_view bytes) override { WriteAll(*file_, bytes, target_); }

  void CopyFrom(const std::string& source) override { Append(source, true); }

  void WriteFrom(const std::string& source) override { Append(source, false); }

  void Commit() override {
    file_->Close();
    // The attributes a file carries (hidden, system, read-only from a copied source) are what
    // Windows' own copy keeps; the bytes are what matter where they cannot be set.
    if (attributes_) SetFileAttributesW(temporary_.c_str(), *attributes_ & kReportedAttributes);
    if (!MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      throw WinError(GetLastError(), target_);
    }
    temporary_.clear();
  }

 private:
  // Appends the source's bytes; a copy also takes the source's attributes, bytes written as the
  // file's own do not.
  void Append(const std::string& source, bool takeSourceAttributes) {
    const Handle input = OpenSource(source);
    // Onto its own path the copy would only make the same bytes again; a link at the target that
    // names the source is another entry, and becomes a file of its own.
    if (SamePathText(FullPath(Wide(source)), FullPath(target_))) {
      throw VbError(vberr::kPathFileAccessError);
    }
    if (takeSourceAttributes && !attributes_) {
      BY_HANDLE_FILE_INFORMATION information{};
      if (GetFileInformationByHandle(input.Get(), &information)) {
        attributes_ = information.dwFileAttributes;
      }
    }
    std::vector<char> piece(kPieceSize);
    const std::wstring sourcePath = Wide(source);
    for (;;) {
      const size_t count = ReadSome(input, piece.data(), piece.size(), sourcePath);
      if (count == 0) return;
      WriteAll(*file_, std::string_view(piece.data(), count), target_);
    }
  }

  std::wstring target_;
  std::wstring temporary_;
  std::optional<Handle> file_;
  std::optional<DWORD> attributes_;
  bool targetExisted_ = false;
};

class WinTextReader : public TextReader {
 public:
  WinTextReader(Handle file, std::wstring path) : file_(std::move(file)), path_(std::move(path)) {}
  std::string_view FirstLineEnd() const override { return lines_.FirstLineEnd(); }

  std::optional<std::string> ReadLine() override {
    for (;;) {
      if (auto line = lines_.Next()) return line;
      if (ended_) return std::nullopt;
      // Left unfilled: a piece is read into, never read before, and most files fit in one.
      if (!piece_) piece_ = std::make_unique_for_overwrite<char[]>(kPieceSize);
      const size_t count = ReadSome(file_, piece_.get(), kPieceSize, path_);
      if (count == 0) {
        lines_.Finish();
        ended_ = true;
      } else {
        lines_.Feed(std::string_view(piece_.get(), count));
      }
    }
  }

 private:
  Handle file_;
  std::wstring path_;
  LineSplitter lines_;
  std::unique_ptr<char[]> piece_;
  bool ended_ = false;
};

// The file's identity: its volume and index, the same for every name it has.
std::optional<std::pair<DWORD, ULONGLONG>> IdentityOf(const std::string& path) {
  // Backup semantics open directories too; no access is asked, so nothing is locked.
  const HANDLE handle =
      CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const Handle file(handle);
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file.Get(), &information)) return std::nullopt;
  return std::pair{
      information.dwVolumeSerialNumber,
      (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) throw WinError(GetLastError(), path);
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) throw WinError(GetLastError(), path);
  full.resize(length);
  return full;
}

int32_t RunTimeNumber(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return vberr::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return vberr::kPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED:
      return vberr::kPermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return vberr::kDiskFull;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return vberr::kDeviceIoError;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return vberr::kFileAlreadyExists;
    case ERROR_TOO_MANY_OPEN_FILES:
      return vberr::kTooManyFiles;
    case ERROR_NOT_SAME_DEVICE:
      return vberr::kCantRenameWithDifferentDrive;
    case ERROR_DEV_NOT_EXIST:
      return vberr::kDeviceUnavailable;
    case ERROR_NOT_READY:
      return vberr::kDiskNotReady;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return vberr::kOutOfMemory;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return vberr::kBadFileNameOrNumber;
    default:
      // ERROR_DIR_NOT_EMPTY, ERROR_FILENAME_EXCED_RANGE and the rest: the file is there but
      // cannot be used so.
      return vberr::kPathFileAccessError;
  }
}

VbError WinError(DWORD error, const std::wstring& path) {
  if (error == ERROR_FILE_NOT_FOUND && !IsDirectory(ParentOf(path))) {
    return VbError(vberr::kPathNotFound);
  }
  return VbError(RunTimeNumber(error));
}

void WinFileSystem::Copy(const std::string& source, const std::string& target) {
  const std::unique_ptr<StagedFile> staged = Stage(target);
  staged->CopyFrom(source);
  staged->Commit();
}

std::unique_ptr<StagedFile> WinFileSystem::Stage(const std::string& target) {
  return std::make_unique<WinStagedFile>(Wide(target));
}

std::string WinFileSystem::LinkTarget(const std::string& path) {
  const std::optional<DWORD> attributes = AttributesOf(Wide(path));
  if (!attributes || (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
  const Handle file = Open(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  const DWORD size = GetFinalPathNameByHandleW(file.Get(), nullptr, 0, VOLUME_NAME_DOS);
  if (size == 0) throw WinError(GetLastError(), Wide(path));
  std::wstring resolved(size, L'\0');
  const DWORD length =
      GetFinalPathNameByHandleW(file.Get(), resolved.data(), size, VOLUME_NAME_DOS);
  if (length == 0 || length >= size) throw WinError(GetLastError(), Wide(path));
  resolved.resize(length);
  // The call answers in the long-path form; the run time's paths are the plain one.
  constexpr std::wstring_view kUncLong = L"\\\\?\\UNC\\";
  constexpr std::wstring_view kLong = L"\\\\?\\";
  if (resolved.starts_with(kUncLong)) return Narrow(L"\\\\" + resolved.substr(kUncLong.size()));
  if (resolved.starts_with(kLong)) return Narrow(resolved.substr(kLong.size()));
  return Narrow(resolved);
}

std::unique_ptr<ListingHold> WinFileSystem::HoldListings() {
  // Windows finds names without regard to letter case itself: no listing is read ahead, so there
  // is nothing to hold.
  return std::make_unique<ListingHold>();
}

void WinFileSystem::Delete(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (!DeleteFileW(wide.c_str())) throw WinError(GetLastError(), wide);
}

void WinFileSystem::Rename(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  if (!MoveFileExW(source.c_str(), Wide(to).c_str(), 0)) throw WinError(GetLastError(), source);
}

void WinFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  if (!MoveFileExW(source.c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    throw WinError(GetLastError(), source);
  }
}

int32_t WinFileSystem::Attributes(const std::string& path) {
  const std::wstring wide = Wide(path);
  const std::optional<DWORD> attributes = AttributesOf(wide);
  if (!attributes) throw WinError(GetLastError(), wide);
  return static_cast<int32_t>(*attributes & kReportedAttributes);
}

int64_t WinFileSystem::Length(const std::string& path) {
  const std::wstring wide = Wide(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
    throw WinError(GetLastError(), wide);
  }
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

DateTime WinFileSystem::LastModified(const std::string& path) {
  const std::wstring wide = Wide(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
    throw WinError(GetLastError(), wide);
  }
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    throw VbError(vberr::kOverflow);
  }
  return DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::string WinFileSystem::FindFirst(const std::string& pattern, int32_t attributeMask) {
  std::wstring wide = Wide(pattern);
  // A directory alone lists everything in it, as Dir does.
  if (wide.empty() || wide.back() == L'\\' || wide.back() == L':') wide += L'*';
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(wide.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  const DWORD unwanted =
      (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY) &
      ~static_cast<DWORD>(attributeMask);
  std::string first;
  do {
    if ((found.dwFileAttributes & unwanted) == 0) {
      first = Narrow(std::wstring_view(found.cFileName));
      break;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return first;
}

void WinFileSystem::MakeDirectory(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return;
  const DWORD error = GetLastError();
  // MkDir of a name that exists answers "Path/File access error" in VB, not "already exists".
  if (error == ERROR_ALREADY_EXISTS) throw VbError(vberr::kPathFileAccessError);
  throw WinError(error, wide);
}

void WinFileSystem::RemoveEmptyDirectory(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (RemoveDirectoryW(wide.c_str())) return;
  const DWORD error = GetLastError();
  // RmDir of a directory that holds anything answers "Path/File access error" in VB.
  if (error == ERROR_DIR_NOT_EMPTY) throw VbError(vberr::kPathFileAccessError);
  throw WinError(error, wide);
}

bool WinFileSystem::SameFile(const std::string& first, const std::string& second) {
  const auto a = IdentityOf(first);
  return a && a == IdentityOf(second);
}

std::unique_ptr<TextReader> WinFileSystem::OpenText(const std::string& path) {
  const std::wstring wide = Wide(path);
  // Windows refuses to open a directory as a file with "access denied"; the run time says 75.
  if (IsDirectory(wide)) throw VbError(vberr::kPathFileAccessError);
  return std::make_unique<WinTextReader>(
      Open(wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
           FILE_FLAG_SEQUENTIAL_SCAN),
      wide);
}

std::string WinFileSystem::ReadBytes(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (IsDirectory(wide)) throw VbError(vberr::kPathFileAccessError);
  const Handle file = Open(wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN);
  std::string bytes;
  const auto piece = std::make_unique_for_overwrite<char[]>(kPieceSize);
  while (const size_t count = ReadSome(file, piece.get(), kPieceSize, wide)) {
    bytes.append(piece.get(), count);
  }
  return bytes;
}

void WinFileSystem::AppendText(const std::string& path, std::string_view text) {
  const std::wstring wide = Wide(path);
  Handle file = Open(wide, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS);
  WriteAll(file, text, wide);
  file.Close();
}

}  // namespace zarvelin::win32
