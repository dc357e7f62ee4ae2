#pragma once

#include <string>
#include <vector>

#include "copy/CopySafeguard.h"
#include "runtime/StringKeys.h"

namespace zarvelin::copy {

// Puts each file a copy would replace aside under its own name with kAsideSuffix, in the copy
// directory itself, so putting it back is a rename that cannot run out of space. What this
// process put aside it knows; what a killed copy left is found again by that suffix.
class PutAsideSafeguard : public CopySafeguard {
 public:
  static constexpr std::string_view kAsideSuffix = ".~zva";

  void Begin(const std::string& copyDirectory, const std::vector<std::string>& plannedTargetNames,
             const std::vector<std::string>& reservedNames) override;
  std::vector<std::string> Commit() override;
  std::vector<NotPutBack> Rollback() override;
  std::vector<NotPutBack> Recover(const std::string& copyDirectory) override;

 private:
  struct Aside {
    std::string name;
    std::string asideName;
  };

  std::string Path(const std::string& name) const;
  std::vector<NotPutBack> PutBack();

  std::string directory_;
  std::vector<std::string> planned_;
  std::vector<Aside> asides_;
  // Planned targets that were there and are not put aside: never removed.
  NoCaseSet untouched_;
};

}  // namespace zarvelin::copy
