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
  std::optional<std::string> Version() const override { return file_.Version(); }
  std::string_view FirstLineEnd() const override { return lines_.FirstLineEnd(); }

 private:
  HostFile file_;
  LineSplitter lines_;
  std::unique_ptr<char[]> piece_;
  size_t pieceSize_ = 0;
  unsigned long long read_ = 0;
  bool ended_ = false;
};

}  // namespace zarvelin::host
