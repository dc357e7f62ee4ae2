#pragma once

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyResult.h"

namespace zarvelin::copy {

// What makes a copy all or nothing: the files a copy would replace are put aside before it
// writes, removed when it finishes and put back when it stops, so a stopped copy leaves the copy
// directory as it was.
class CopySafeguard {
 public:
  virtual ~CopySafeguard() = default;
  // Puts aside every planned target that exists in copyDirectory. Reserved names (sources that
  // lie in the copy directory) are never put aside, written or removed.
  virtual void Begin(const std::string& copyDirectory,
                     const std::vector<std::string>& plannedTargetNames,
                     const std::vector<std::string>& reservedNames) = 0;
  // The copy finished: drops what was put aside; the files it replaced.
  virtual std::vector<std::string> Commit() = 0;
  // The copy stopped: removes every planned target the copy made and puts back what was put
  // aside; what could not be put back.
  virtual std::vector<NotPutBack> Rollback() = 0;
  // Finishes, as a stopped copy, what a copy killed in copyDirectory left; what could not be put
  // back.
  virtual std::vector<NotPutBack> Recover(const std::string& copyDirectory) = 0;
};

// The safeguard every copy uses unless its request brings one.
std::unique_ptr<CopySafeguard> MakeCopySafeguard();

}  // namespace zarvelin::copy
