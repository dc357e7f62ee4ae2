#pragma once

#include <windows.h>

#include <string>

#include "runtime/FileSystem.h"
#include "runtime/VbError.h"

namespace zarvelin::win32 {

// The run-time error number for a GetLastError value: the one table of the Windows backend.
int32_t RunTimeNumber(DWORD error);

// The failure of a Windows call on path. A missing name is told apart (53 file, 76 directory) by
// whether the directory that should hold it exists: Wine answers a missing drive with "file not
// found", where Windows says "path not found".
VbError WinError(DWORD error, const std::wstring& path);

// The absolute form of a path, as the system completes it from the current drive and directory;
// both slashes separate.
std::wstring FullPath(const std::wstring& path);

// The run time's file operations on native Windows paths, through the wide (W) functions, so a
// name in any script works whatever the system's ANSI code page is.
class WinFileSystem : public FileSystem {
 public:
  void Copy(const std::string& source, const std::string& target) override;
  std::unique_ptr<StagedFile> Stage(const std::string& target) override;
  std::string LinkTarget(const std::string& path) override;
  std::unique_ptr<ListingHold> HoldListings() override;
  void Delete(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  int32_t Attributes(const std::string& path) override;
  DateTime LastModified(const std::string& path) override;
  int64_t Length(const std::string& path) override;
  std::string FindFirst(const std::string& pattern, int32_t attributeMask) override;
  void MakeDirectory(const std::string& path) override;
  void RemoveEmptyDirectory(const std::string& path) override;
  bool SameFile(const std::string& first, const std::string& second) override;

  std::unique_ptr<TextReader> OpenText(const std::string& path) override;
  std::string ReadBytes(const std::string& path) override;
  void AppendText(const std::string& path, std::string_view text) override;
};

}  // namespace zarvelin::win32
