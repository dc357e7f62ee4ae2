#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "copy/CopyJournal.h"
#include "copy/CopySafeguard.h"

namespace zarvelin::copy {

// The safeguard of every copy: the journal on disk puts aside what the copy would replace, so a
// copy that stops, or a process killed half way, leaves the copy directory as it was.
class JournalSafeguard : public CopySafeguard {
 public:
  void Begin(const std::string& copyDirectory, const std::vector<std::string>& plannedTargetNames,
             const std::vector<std::string>& reservedNames) override;
  std::vector<std::string> Commit() override;
  std::vector<NotPutBack> Rollback() override;
  std::vector<NotPutBack> Recover(const std::string& copyDirectory) override;
  // Adds a further copy's names into the same copy directory to the copy begun (see
  // CopyJournal::Extend).
  void Extend(const std::vector<std::string>& plannedTargetNames,
              const std::vector<std::string>& reservedNames);

 private:
  std::string copyDirectory_;
  std::optional<CopyJournal> journal_;
};

}  // namespace zarvelin::copy
