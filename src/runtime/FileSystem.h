#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "runtime/DateTime.h"

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
};

// Writes a text file line by line; every line ends with CR LF.
class TextWriter {
 public:
  virtual ~TextWriter() = default;
  virtual void WriteLine(std::string_view line) = 0;
  // Writes out what is buffered and closes; a failure here (a full disk) throws like a failed
  // write.
  virtual void Close() = 0;
};

// The run time's file operations on VB-style paths ("\" separates, a colon ends a drive prefix).
// Every failure is a VbError with the run time's number: 53 file not found, 76 path not found,
// 70 permission denied, 61 disk full, 75 path/file access error, 57 device I/O error ...
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // FileCopy: replaces an existing target. The target is complete or untouched: the bytes go to a
  // temporary file beside it first. Copying a file onto itself fails (75) and changes nothing.
  virtual void Copy(const std::string& source, const std::string& target) = 0;
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
  // Dir(pattern, mask): the name (no directory) of the first entry whose name matches the
  // pattern's file part without regard to letter case ("*" and "?" wildcards) and whose
  // attributes fit the mask (normal files always; hidden, system, directory when in the mask).
  // Empty when nothing matches or the directory does not exist.
  virtual std::string FindFirst(const std::string& pattern, int32_t attributeMask) = 0;
  // MkDir.
  virtual void MakeDirectory(const std::string& path) = 0;
  // Whether two paths name one existing file, whatever their spelling (case, "..", links).
  virtual bool SameFile(const std::string& first, const std::string& second) = 0;

  // Open ... For Input.
  virtual std::unique_ptr<TextReader> OpenText(const std::string& path) = 0;
  // Open ... For Output: created, or emptied.
  virtual std::unique_ptr<TextWriter> CreateText(const std::string& path) = 0;
  // Open ... For Append: created when missing, never overwritten. Appends the text as it is.
  virtual void AppendText(const std::string& path, std::string_view text) = 0;
};

}  // namespace zarvelin
