#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "copy/CopyObserver.h"

namespace zarvelin::copy {

// The steps of the copy road, where a copy that did not finish stopped.
enum class CopyStep { None, Plan, Components, ProjectFile, Path32, Reopen, Stopped };

std::string_view CopyStepName(CopyStep step);

struct WrittenFile {
  std::string path;
  int64_t size = 0;
};

// A file the copy directory held that a rolled-back copy could not put back, and where it is.
struct NotPutBack {
  std::string file;
  std::string keptAs;
};

// What one copy did: finished, or stopped at a step (with the error number and the file, when a
// file was the cause) and then rolled back.
struct CopyResult {
  bool finished = false;
  CopyStep step = CopyStep::None;
  int32_t errorNumber = 0;
  std::string file;
  std::string reason;
  std::vector<WrittenFile> written;
  std::vector<Renaming> renamed;
  std::vector<std::string> replaced;
  // Related documents that were missing and left out of the copied project file.
  std::vector<std::string> skipped;
  std::vector<NotPutBack> notPutBack;
};

}  // namespace zarvelin::copy
