#include "runtime/VbPath.h"

#include <algorithm>
#include <vector>

#include "runtime/Strings.h"

namespace zarvelin {
namespace {

// A path cut into its root ("C:", "\\server\share", "\" or empty for a relative path) and its
// steps.
struct PathParts {
  std::string root;
  std::vector<std::string> steps;
};

std::vector<std::string> SplitSteps(std::string_view text) {
  std::vector<std::string> steps;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\\', start), text.size());
    if (end > start) steps.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return steps;
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':';
}

bool IsNetworkPath(std::string_view path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

PathParts Split(std::string_view path) {
  PathParts parts;
  if (IsNetworkPath(path)) {
    std::vector<std::string> steps = SplitSteps(path.substr(2));
    const size_t shareSteps = std::min<size_t>(steps.size(), 2);
    parts.root = "\\";
    for (size_t i = 0; i < shareSteps; ++i) parts.root += "\\" + steps[i];
    parts.steps.assign(steps.begin() + static_cast<std::ptrdiff_t>(shareSteps), steps.end());
    return parts;
  }
  if (HasDrive(path)) {
    parts.root = std::string(path.substr(0, 2));
    parts.steps = SplitSteps(path.substr(2));
    return parts;
  }
  if (!path.empty() && path[0] == '\\') parts.root = "\\";
  parts.steps = SplitSteps(path);
  return parts;
}

// Drops "." steps and lets ".." climb; above a root there is nowhere to climb, while a relative
// path keeps its leading ".." steps for the working directory to resolve.
PathParts Normalized(const PathParts& parts) {
  PathParts result{parts.root, {}};
  for (const std::string& step : parts.steps) {
    if (step == ".") continue;
    if (step == "..") {
      if (!result.steps.empty() && result.steps.back() != "..") {
        result.steps.pop_back();
      } else if (result.root.empty()) {
        result.steps.push_back(step);
      }
      continue;
    }
    result.steps.push_back(step);
  }
  return result;
}

std::string Joined(const PathParts& parts) {
  std::string text = parts.root == "\\" ? "" : parts.root;
  for (size_t i = 0; i < parts.steps.size(); ++i) {
    if (i > 0 || !parts.root.empty()) text += '\\';
    text += parts.steps[i];
  }
  if (text.empty() && parts.root == "\\") text = "\\";
  return text;
}

// Already as the steps would give it back: a drive's root, then names that are neither empty
// nor "." nor "..". Most paths a project names are so, and need not be taken apart.
bool IsPlainDrivePath(std::string_view path) {
  if (path.size() < 4 || !HasDrive(path) || path[2] != '\\') return false;
  for (size_t start = 3;;) {
    const size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view step = path.substr(start, end - start);
    if (step.empty() || step == "." || step == "..") return false;
    if (end == path.size()) return true;
    start = end + 1;
  }
}

}  // namespace

std::string RootOf(std::string_view path) {
  return Split(path).root;
}

std::string DirectoryOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string BaseNameOf(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

std::string ExtensionOf(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot + 1));
}

std::string_view UnquotedPath(std::string_view written) {
  const bool quoted = written.size() >= 2 && written.front() == '"' && written.back() == '"';
  return quoted ? written.substr(1, written.size() - 2) : written;
}

std::string ResolvePath(std::string_view baseDirectory, std::string_view path) {
  if (IsPlainDrivePath(path)) return std::string(path);
  if (IsNetworkPath(path) || HasDrive(path)) return Joined(Normalized(Split(path)));
  if (!path.empty() && path[0] == '\\') {
    const std::string root = RootOf(baseDirectory);
    return Joined(Normalized(Split((root == "\\" ? "" : root) + std::string(path))));
  }
  std::string joined = JoinPath(baseDirectory, path);
  if (IsPlainDrivePath(joined)) return joined;
  return Joined(Normalized(Split(joined)));
}

std::string RelativePath(std::string_view fromDirectory, std::string_view target) {
  const PathParts from = Normalized(Split(fromDirectory));
  const PathParts to = Normalized(Split(target));
  if (!EqualNoCase(from.root, to.root)) return Joined(to);
  size_t common = 0;
  while (common < from.steps.size() && common < to.steps.size() &&
         EqualNoCase(from.steps[common], to.steps[common])) {
    ++common;
  }
  std::string relative;
  for (size_t i = common; i < from.steps.size(); ++i) relative += "..\\";
  for (size_t i = common; i < to.steps.size(); ++i) {
    relative += to.steps[i];
    if (i + 1 < to.steps.size()) relative += '\\';
  }
  return relative;
}

}  // namespace zarvelin
