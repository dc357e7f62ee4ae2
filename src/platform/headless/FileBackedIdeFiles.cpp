#include "platform/headless/FileBackedIdeFiles.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/headless/FileBackedIdePaths.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"

namespace zarvelin::headless {
namespace {

constexpr int32_t kAnyFile = fileattr::kHidden | fileattr::kSystem;

// Best effort: a leftover temporary file is litter, not damage.
void DeleteQuietly(const std::string& path) {
  try {
    Rt().files->Delete(path);
  } catch (...) {
    return;
  }
}

// Windows will not replace a read-only file, and it is how a user says a file must be kept: the
// save fails before anything is written.
void RefuseReadOnly(const std::string& target) {
  if (FileExists(target) && (Rt().files->Attributes(target) & fileattr::kReadOnly) != 0) {
    throw VbError(vberr::kPathFileAccessError);
  }
}

}  // namespace

bool FileExists(const std::string& path) {
  if (Rt().files->FindFirst(path, kAnyFile).empty()) return false;
  return (Rt().files->Attributes(path) & fileattr::kDirectory) == 0;
}

bool DirectoryExists(const std::string& path) {
  if (Rt().files->FindFirst(path, kAnyFile | fileattr::kDirectory).empty()) return false;
  return (Rt().files->Attributes(path) & fileattr::kDirectory) != 0;
}

void CreateSubdirectories(const std::string& base, const std::string& downwardPath) {
  std::string directory = base;
  const std::string steps = DirectoryOf(downwardPath);
  size_t start = 0;
  while (start < steps.size()) {
    const size_t end = std::min(steps.find('\\', start), steps.size());
    directory = JoinPath(directory, steps.substr(start, end - start));
    if (!DirectoryExists(directory)) Rt().files->MakeDirectory(directory);
    start = end + 1;
  }
}

std::string StoredSpelling(const std::string& path) {
  try {
    const std::string stored = Rt().files->FindFirst(path, kAnyFile);
    if (!stored.empty()) return JoinPath(DirectoryOf(path), stored);
  } catch (const VbError&) {
    // A name the disk cannot hold is still the name the project gave; using it tells why.
  }
  return path;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  const std::unique_ptr<TextReader> reader = Rt().files->OpenText(path);
  while (std::optional<std::string> line = reader->ReadLine()) lines.push_back(std::move(*line));
  return lines;
}

StagedFiles::~StagedFiles() {
  for (const Staged& staged : staged_) {
    if (!staged.temporary.empty()) DeleteQuietly(staged.temporary);
  }
}

void StagedFiles::Copy(const std::string& source, const std::string& target) {
  RefuseReadOnly(target);
  const std::string temporary = TemporaryBeside(target);
  Rt().files->Copy(source, temporary);
  staged_.push_back({temporary, target});
}

void StagedFiles::Write(const std::vector<std::string>& lines, const std::string& target) {
  RefuseReadOnly(target);
  const std::string temporary = TemporaryBeside(target);
  std::unique_ptr<TextWriter> writer = Rt().files->CreateText(temporary);
  staged_.push_back({temporary, target});
  for (const std::string& line : lines) writer->WriteLine(line);
  writer->Close();
}

// Each finished file replaces its target in one step. A file that was already there is kept
// aside until all are in place, so that a failure half-way puts every target back as it was:
// new companions beside an old component would spoil it.
void StagedFiles::Commit() {
  struct Step {
    std::string target;
    std::string backup;  // empty: there was no file at the target
    bool done = false;
  };
  std::vector<Step> steps;
  try {
    for (Staged& next : staged_) {
      Step step{next.target, {}, false};
      if (FileExists(next.target)) {
        step.backup = TemporaryBeside(next.target);
        Rt().files->Copy(next.target, step.backup);
      }
      steps.push_back(step);
      if (step.backup.empty()) {
        Rt().files->Rename(next.temporary, next.target);
      } else {
        Rt().files->Replace(next.temporary, next.target);
      }
      steps.back().done = true;
      next.temporary.clear();
    }
  } catch (...) {
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
      try {
        if (step->done && step->backup.empty()) Rt().files->Delete(step->target);
        if (step->done && !step->backup.empty()) {
          Rt().files->Replace(step->backup, step->target);
          step->backup.clear();
        }
      } catch (...) {
        // Nothing more can be done here; the first failure is the one to tell.
      }
      if (!step->backup.empty()) DeleteQuietly(step->backup);
    }
    throw;
  }
  for (const Step& step : steps) {
    if (!step.backup.empty()) DeleteQuietly(step.backup);
  }
  staged_.clear();
}

std::string StagedFiles::TemporaryBeside(const std::string& target) {
  const std::string directory = DirectoryOf(target);
  const std::string name = FileNameOf(target);
  for (int attempt = 1;; ++attempt) {
    const std::string candidate =
        JoinPath(directory, "~" + name + "." + std::to_string(attempt) + ".tmp");
    if (Rt().files->FindFirst(candidate, kAnyFile | fileattr::kDirectory).empty()) {
      return candidate;
    }
  }
}

}  // namespace zarvelin::headless
