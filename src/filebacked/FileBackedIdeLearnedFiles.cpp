#include "filebacked/FileBackedIdeLearnedFiles.h"

#include <mutex>
#include <unordered_map>
#include <utility>

#include "runtime/ReferencesRead.h"
#include "runtime/VersionedFacts.h"

namespace zarvelin::filebacked {
namespace {

// Far more than any project holds; the bound only keeps a long session from growing without end.
constexpr size_t kMostFiles = 100000;

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

VersionedFacts<ComponentFileFacts>& Facts() {
  static VersionedFacts<ComponentFileFacts> facts;
  return facts;
}

// A path as a project wrote it -> where it was found, where the two differ.
std::unordered_map<std::string, std::string>& Spellings() {
  static std::unordered_map<std::string, std::string> spellings;
  return spellings;
}

}  // namespace

std::optional<ComponentFileFacts> LearnedFacts(const std::string& path) {
  return Facts().Find(path);
}

void Learned(const std::string& path, const std::string& version, const ComponentFileFacts& facts) {
  Facts().Keep(path, version, facts);
  // A copy plans the companions of every component the IDE holds.
  ReferencesRead().Keep(path, version, facts.companions);
}

std::optional<LearnedComponentFile> LearnedFileFor(const std::string& written) {
  std::string path = written;
  {
    const std::lock_guard lock(Lock());
    if (const auto found = Spellings().find(written); found != Spellings().end()) {
      path = found->second;
    }
  }
  std::optional<ComponentFileFacts> facts = LearnedFacts(path);
  if (!facts) return std::nullopt;
  return LearnedComponentFile{std::move(path), std::move(*facts)};
}

void FoundAt(const std::string& written, const std::string& path) {
  const std::lock_guard lock(Lock());
  // Most projects spell their files as the disk does: only the other spellings are kept.
  if (written == path) {
    if (!Spellings().empty()) Spellings().erase(written);
    return;
  }
  if (Spellings().size() >= kMostFiles) Spellings().clear();
  Spellings().insert_or_assign(written, path);
}

}  // namespace zarvelin::filebacked
