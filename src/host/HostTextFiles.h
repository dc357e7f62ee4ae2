#pragma once

#include <memory>
#include <string>

#include "host/HostFile.h"
#include "runtime/FileSystem.h"
#include "runtime/LineSplitter.h"

namespace zarvelin::host {

// Line Input over a host file, read in fixed pieces: memory stays bounded by the longest line.
class HostTextReader : public TextReader {
 public:
  explicit HostTextReader(HostFile file);
  std::optional<std::string> ReadLine() override;

 private:
  HostFile file_;
  LineSplitter lines_;
  std::unique_ptr<char[]> piece_;
  bool ended_ = false;
};

// Print # over a host file: lines end with CR LF, written in pieces; Close writes out the rest
// and closes at once, so that a full disk shows there and not later.
class HostTextWriter : public TextWriter {
 public:
  explicit HostTextWriter(HostFile file);
  ~HostTextWriter() override;
  void WriteLine(std::string_view line) override;
  void Close() override;

 private:
  void Flush();

  HostFile file_;
  std::string pending_;
  bool closed_ = false;
};

}  // namespace zarvelin::host
