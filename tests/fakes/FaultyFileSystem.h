#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/FileSystem.h"

namespace zarvelin::fakes {

// The operations a FaultyFileSystem can be told to fail; ReadLine, WriteLine and CloseText act on
// the readers and writers it hands out.
enum class FileOp {
  Copy,
  Delete,
  Rename,
  Replace,
  Attributes,
  LastModified,
  FindFirst,
  MakeDirectory,
  SameFile,
  OpenText,
  CreateText,
  AppendText,
  ReadLine,
  WriteLine,
  CloseText,
};

std::string_view FileOpName(FileOp op);

// Passes every operation to another file system, except those a test told it to fail: by kind,
// optionally only when one of the paths contains a text, with a chosen error number, once or
// always. It also writes down every operation it was asked for ("Copy <from> -> <to>").
class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

  enum class Times { Once, Always };
  // A failed operation does nothing on the inner file system.
  void Fail(FileOp op, int32_t errorNumber, std::string pathContains = {},
            Times times = Times::Once);
  // How many injected failures were raised so far.
  int32_t FailuresRaised() const { return raised_; }
  const std::vector<std::string>& Calls() const { return calls_; }

  void Copy(const std::string& source, const std::string& target) override;
  void Delete(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Replace(const std::string& from, const std::string& to) override;
  int32_t Attributes(const std::string& path) override;
  DateTime LastModified(const std::string& path) override;
  std::string FindFirst(const std::string& pattern, int32_t attributeMask) override;
  void MakeDirectory(const std::string& path) override;
  bool SameFile(const std::string& first, const std::string& second) override;
  std::unique_ptr<TextReader> OpenText(const std::string& path) override;
  std::unique_ptr<TextWriter> CreateText(const std::string& path) override;
  void AppendText(const std::string& path, std::string_view text) override;

  // Used by the readers and writers handed out: throws when a failure is due for op on the paths.
  void Check(FileOp op, std::string_view path, std::string_view otherPath = {});

 private:
  struct Fault {
    FileOp op;
    int32_t errorNumber;
    std::string pathContains;
    Times times;
    bool spent = false;
  };

  FileSystem& inner_;
  std::vector<Fault> faults_;
  std::vector<std::string> calls_;
  int32_t raised_ = 0;
};

}  // namespace zarvelin::fakes
