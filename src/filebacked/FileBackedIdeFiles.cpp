#include "filebacked/FileBackedIdeFiles.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::filebacked {
namespace {

constexpr int32_t kAnyFile = fileattr::kHidden | fileattr::kSystem;

// Best effort: a leftover file is litter, not damage.
void DeleteQuietly(const std::string& path) {
  try {
    Files().Delete(path);
  } catch (...) {
    return;
  }
}

}  // namespace

bool FileExists(const std::string& path) {
  if (Files().FindFirst(path, kAnyFile).empty()) return false;
  return (Files().Attributes(path) & fileattr::kDirectory) == 0;
}

std::string StoredSpelling(const std::string& path) {
  // A drive or a root names no entry; asked for one, the listing would answer with its first.
  const std::string name = FileNameOf(path);
  if (name.empty() || name.back() == ':') return path;
  try {
    const std::string stored = Files().FindFirst(path, kAnyFile);
    if (!stored.empty()) return JoinPath(DirectoryOf(path), stored);
  } catch (const VbError&) {
    // A name the disk cannot hold is still the name the project gave; using it tells why.
  }
  return path;
}

StagedFiles::~StagedFiles() = default;

void StagedFiles::Copy(const std::string& source, const std::string& target) {
  std::unique_ptr<StagedFile> file = Files().Stage(target);
  file->CopyFrom(source);
  staged_.push_back({std::move(file), target});
}

void StagedFiles::CopyAsWritten(const std::string& source, const std::string& target) {
  std::unique_ptr<StagedFile> file = Files().Stage(target);
  file->WriteFrom(source);
  staged_.push_back({std::move(file), target});
}

std::string CrLfText(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return text;
}

void StagedFiles::Write(const std::vector<std::string>& lines, const std::string& target) {
  WriteText(CrLfText(lines), target);
}

void StagedFiles::WriteText(std::string_view text, const std::string& target) {
  std::unique_ptr<StagedFile> file = Files().Stage(target);
  file->Write(text);
  staged_.push_back({std::move(file), target});
}

// Each finished file takes its target's place in one step. A file that was already there is put
// aside under a short free name until all are in place, so that a failure half-way puts every
// target back as it was: new companions beside an old component would spoil it.
void StagedFiles::Commit() {
  struct Step {
    std::string target;
    std::string aside;  // empty: there was no file at the target
    bool done = false;
  };
  std::vector<Step> steps;
  try {
    for (Staged& next : staged_) {
      steps.push_back({next.target, {}, false});
      if (next.file->TargetExisted()) {
        steps.back().aside = FreeNameBeside(next.target);
        Files().Rename(next.target, steps.back().aside);
      }
      next.file->Commit();
      steps.back().done = true;
    }
  } catch (...) {
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
      try {
        if (step->done && step->aside.empty()) Files().Delete(step->target);
        if (!step->aside.empty()) Files().Replace(step->aside, step->target);
      } catch (...) {
        // Nothing more can be done here; the first failure is the one to tell.
      }
    }
    throw;
  }
  for (const Step& step : steps) {
    if (!step.aside.empty()) DeleteQuietly(step.aside);
  }
  staged_.clear();
}

std::string StagedFiles::FreeNameBeside(const std::string& target) {
  const std::string directory = DirectoryOf(target);
  for (int attempt = 1;; ++attempt) {
    const std::string candidate = JoinPath(directory, "~zv" + std::to_string(attempt) + ".old");
    if (Files().FindFirst(candidate, kAnyFile | fileattr::kDirectory).empty()) return candidate;
  }
}

}  // namespace zarvelin::filebacked
