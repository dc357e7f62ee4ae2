#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "runtime/CodePage.h"
#include "runtime/Runtime.h"

namespace zarvelin {

// What was learned from reading files, each kept with the version of the file it came from and
// the code page its text was decoded in: a look at a file's version costs far less than a read of
// it, so a second reader of an unchanged file takes what the first one learned.
template <typename Facts>
class VersionedFacts {
 public:
  // The facts learned from the file at path, if the file is still the version they came from and
  // the project's code page the one they were decoded in.
  std::optional<Facts> Find(const std::string& path) {
    const std::lock_guard lock(mutex_);
    const auto known = entries_.find(path);
    if (known == entries_.end()) return std::nullopt;
    if (Files().Version(path) == known->second.version &&
        ProjectCodePage().Name() == known->second.codePage) {
      return known->second.facts;
    }
    entries_.erase(known);
    return std::nullopt;
  }

  // Keeps what was learned from the file at path as it was at version.
  void Keep(const std::string& path, const std::string& version, Facts facts) {
    const std::lock_guard lock(mutex_);
    if (entries_.size() >= kMostFiles) entries_.clear();
    entries_.insert_or_assign(path, Entry{version, ProjectCodePage().Name(), std::move(facts)});
  }

 private:
  struct Entry {
    std::string version;
    std::string codePage;
    Facts facts;
  };

  // Far more than any project holds; the bound only keeps a long session from growing without end.
  static constexpr size_t kMostFiles = 100000;

  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace zarvelin
