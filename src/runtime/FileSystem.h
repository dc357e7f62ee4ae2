#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/DateTime.h"
#include "runtime/VbError.h"

namespace zarvelin {

// File attributes as the run time's GetAttr reports them.
namespace fileattr {
inline constexpr int32_t kNormal = 0;
inline constexpr int32_t kReadOnly = 1;
inline constexpr int32_t kHidden = 2;
inline constexpr int32_t kSystem = 4;
inline constexpr int32_t kDirectory = 16;
inline constexpr int32_t kArchive = 32;
}  // namespace fileattr

// Reads a text file line by line. A line ends at CR with or without LF, or at LF alone; the last
// line may lack an end. Lines are the file's bytes, untranscoded.
class TextReader {
 public:
  virtual ~TextReader() = default;
  // The next line, or nothing at the end of the file. Throws VbError on a read failure.
  virtual std::optional<std::string> ReadLine() = 0;
  // How the first line read ended: "\r\n", "\n" or "\r"; empty while none has ended. A file
  // written again in its own line ends takes them from here.
  virtual std::string_view FirstLineEnd() const { return {}; }
  // What tells the file as it was opened from any later state of it (which file it is, its size
  // and times of change); nothing where the file system cannot say.
  virtual std::optional<std::string> Version() const { return std::nullopt; }
};

// A whole file written for a target. Every whole-file write goes through one: component saves,
// copies, the project file. Where an entry stands at the target, the file is written beside it
// and put in its place in one step, so that the target is always either the old file or the
// complete new one; the temporary file is made afresh in the target's directory under a short
// name that fits every file-name limit, and an entry already at that name is never opened,
// followed or replaced. A backend may make a file new to its directory at the target itself, as
// long as it never opens or follows an entry there. Destroyed without Commit, it takes whatever
// it made with it.
class StagedFile {
 public:
  virtual ~StagedFile() = default;
  // Whether an entry stood at the target when staging began.
  virtual bool TargetExisted() const = 0;
  virtual void Write(std::string_view bytes) = 0;
  // Appends the whole of the source file. The source is only read, even when the target's entry
  // is a link to it.
  virtual void CopyFrom(const std::string& source) = 0;
  // Appends the whole of the source file as bytes of the file's own, as Write does: the file does
  // not take the source's permissions.
  virtual void WriteFrom(const std::string& source) = 0;
  // Puts the file at the target: the target's entry is replaced, never written through, so a
  // link there becomes a file of its own. The file keeps the permissions of the file it
  // replaces, or else of the file it was copied from.
  virtual void Commit() = 0;
};

// Held while one operation (a copy, opening a project) works in its directories: what a directory
// holds is read once and trusted until the hold ends, this process's own changes included. A
// change another program makes there meanwhile may go unseen.
class ListingHold {
 public:
  virtual ~ListingHold() = default;
};

// The run time's file operations on VB-style paths ("\" separates, a colon ends a drive prefix).
// Every failure is a VbError with the run time's number: 53 file not found, 76 path not found,
// 70 permission denied, 61 disk full, 75 path/file access error, 57 device I/O error ...
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // FileCopy: replaces an existing target through Stage. Copying a file onto its own path fails
  // (75) and changes nothing; a target entry that is another name of the source (a link) is
  // replaced by a copy.
  virtual void Copy(const std::string& source, const std::string& target) = 0;
  // Starts replacing the file at target. A read-only target is refused (75) before anything is
  // written, as Windows refuses to replace it.
  virtual std::unique_ptr<StagedFile> Stage(const std::string& target) = 0;
  // The path a symbolic link at path names, resolved against the link's directory and followed
  // to its end; path itself when it is no link.
  virtual std::string LinkTarget(const std::string& path) = 0;
  // Trusts directory listings until the hold is destroyed (see ListingHold).
  virtual std::unique_ptr<ListingHold> HoldListings() = 0;
  // Kill.
  virtual void Delete(const std::string& path) = 0;
  // Name ... As: replaces nothing; an existing target fails with 58.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Name ... As over an existing file, in one step: the atomic replace of a finished file.
  virtual void Replace(const std::string& from, const std::string& to) = 0;
  // GetAttr.
  virtual int32_t Attributes(const std::string& path) = 0;
  // FileDateTime: local time of the last modification.
  virtual DateTime LastModified(const std::string& path) = 0;
  // FileLen: the size of a file in bytes.
  virtual int64_t Length(const std::string& path) = 0;
  // Dir(pattern, mask): the name (no directory) of the first entry whose name matches the
  // pattern's file part without regard to letter case ("*" and "?" wildcards) and whose
  // attributes fit the mask (normal files always; hidden, system, directory when in the mask).
  // Empty when nothing matches or the directory does not exist.
  virtual std::string FindFirst(const std::string& pattern, int32_t attributeMask) = 0;
  // The name of the entry at path as its directory spells it (found without regard to letter
  // case), whatever the entry is: a file, a folder, a link, even one that names nothing. Empty when
  // there is none.
  virtual std::string EntryName(const std::string& path);
  // MkDir.
  virtual void MakeDirectory(const std::string& path) = 0;
  // RmDir: removes an empty directory; one that holds anything fails (75) and stays. A file
  // system that cannot remove directories refuses every one alike.
  virtual void RemoveEmptyDirectory(const std::string& /*path*/) {
    throw VbError(vberr::kPathFileAccessError);
  }
  // Whether two paths name one existing file or directory, whatever their spelling (case, "..",
  // links).
  virtual bool SameFile(const std::string& first, const std::string& second) = 0;

  // Open ... For Input. A directory fails (75) at the first line at the latest.
  virtual std::unique_ptr<TextReader> OpenText(const std::string& path) = 0;
  // Open ... For Binary and Get of the whole file: its bytes as they are, line ends included. A
  // directory fails (75).
  virtual std::string ReadBytes(const std::string& path) = 0;
  // The Version that OpenText(path) would give now, without opening the file; nothing when it
  // cannot be told (no such file, or a file system that cannot say).
  virtual std::optional<std::string> Version(const std::string& /*path*/) { return std::nullopt; }
  // Open ... For Append: created when missing, never overwritten. Appends the text as it is.
  virtual void AppendText(const std::string& path, std::string_view text) = 0;
};

}  // namespace zarvelin
