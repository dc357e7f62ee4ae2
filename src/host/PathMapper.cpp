#include "host/PathMapper.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "host/HostJoin.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperLetter(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string HostCurrentDirectory() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) throw VbError(vberr::kPathNotFound);
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

// An absolute host path with "." and ".." steps and doubled slashes taken out.
std::string HostAbsolute(std::string_view hostPath) {
  std::string whole(hostPath);
  if (whole.empty() || whole.front() != '/') whole = HostCurrentDirectory() + "/" + whole;
  std::vector<std::string> steps;
  size_t at = 0;
  while (at <= whole.size()) {
    const size_t end = std::min(whole.find('/', at), whole.size());
    const std::string step = whole.substr(at, end - at);
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    at = end + 1;
  }
  std::string result;
  for (const auto& step : steps) result += "/" + step;
  return result.empty() ? "/" : result;
}

// The pieces of a VB path between backslashes. The path is UTF-8, where no byte of a character
// outside ASCII is 0x5C: a Shift-JIS name's second byte was a character's part before decoding.
std::vector<std::string_view> SplitSteps(std::string_view path) {
  std::vector<std::string_view> steps;
  size_t start = 0;
  for (size_t at = 0; at < path.size(); ++at) {
    if (path[at] == '\\') {
      steps.push_back(path.substr(start, at - start));
      start = at + 1;
    }
  }
  steps.push_back(path.substr(std::min(start, path.size())));
  return steps;
}

// Adds the steps of a VB path to a list of components, as Windows reads them: empty steps and
// "." are nothing, ".." drops the last component but never climbs above the root, and blanks and
// dots at the end of a name are not part of it ("C:\Copies " is "C:\Copies").
void AddSteps(const std::vector<std::string_view>& steps, std::vector<std::string>& components) {
  for (std::string_view step : steps) {
    if (step == "..") {
      if (!components.empty()) components.pop_back();
      continue;
    }
    const size_t kept = step.find_last_not_of(" .");
    if (kept == std::string_view::npos) continue;
    step = step.substr(0, kept + 1);
    // "/" would be a separator on the host: a name holding one could leave its directory.
    if (step.find('/') != std::string_view::npos) throw VbError(vberr::kBadFileNameOrNumber);
    components.emplace_back(step);
  }
}

bool Exists(const std::string& hostPath) {
  struct stat status {};
  return lstat(hostPath.c_str(), &status) == 0;
}

// The directory and the name of a host path, without copies: every file of a copy is looked up
// and noted through here.
std::pair<std::string_view, std::string_view> HostSplitView(std::string_view hostPath) {
  const size_t slash = hostPath.rfind('/');
  if (slash == std::string_view::npos) return {".", hostPath};
  return {slash == 0 ? std::string_view("/") : hostPath.substr(0, slash),
          hostPath.substr(slash + 1)};
}

std::pair<std::string, std::string> HostSplit(std::string_view hostPath) {
  const auto [directory, name] = HostSplitView(hostPath);
  return {std::string(directory), std::string(name)};
}

bool HostContains(const std::string& directory, const std::string& path) {
  if (directory == "/") return true;
  return path == directory ||
         (path.size() > directory.size() && path.compare(0, directory.size(), directory) == 0 &&
          path[directory.size()] == '/');
}

}  // namespace

PathMapper::PathMapper(PathMapperConfig config) : config_(std::move(config)) {
  std::map<char, std::string> drives;
  for (const auto& [letter, directory] : config_.drives) {
    if (!IsDriveLetter(letter)) throw VbError(vberr::kBadFileNameOrNumber);
    drives[UpperLetter(letter)] = HostAbsolute(directory);
  }
  drives.try_emplace('Z', "/");
  config_.drives = std::move(drives);

  std::map<std::string, std::string> shares;
  for (const auto& [prefix, directory] : config_.shares) {
    std::string key(prefix);
    while (!key.empty() && key.back() == '\\') key.pop_back();
    shares[key] = HostAbsolute(directory);
  }
  config_.shares = std::move(shares);

  const std::string working =
      config_.workingDirectory.empty() ? ToVb(HostCurrentDirectory()) : config_.workingDirectory;
  working_ = Parse(working);
}

PathMapper::Root PathMapper::DriveRoot(char letter) const {
  const char upper = UpperLetter(letter);
  const auto found = config_.drives.find(upper);
  if (found == config_.drives.end()) throw VbError(vberr::kPathNotFound);
  return Root{std::string(1, upper) + ":", found->second};
}

PathMapper::Root PathMapper::ShareRoot(std::string_view server, std::string_view share) const {
  const std::string wanted = "\\\\" + std::string(server) + "\\" + std::string(share);
  for (const auto& [prefix, directory] : config_.shares) {
    if (EqualNoCase(prefix, wanted)) return Root{prefix, directory};
  }
  throw VbError(vberr::kPathNotFound);
}

PathMapper::Parsed PathMapper::Parse(std::string_view vbPath) const {
  if (vbPath.empty() || vbPath.find('\0') != std::string_view::npos) {
    throw VbError(vberr::kBadFileNameOrNumber);
  }
  Parsed parsed;
  if (vbPath.size() >= 2 && vbPath[0] == '\\' && vbPath[1] == '\\') {
    std::vector<std::string_view> steps = SplitSteps(vbPath.substr(2));
    const std::string_view server = steps[0];
    const std::string_view share = steps.size() > 1 ? steps[1] : std::string_view();
    if (server.empty() || share.empty() || server.find('/') != std::string_view::npos ||
        share.find('/') != std::string_view::npos) {
      throw VbError(vberr::kBadFileNameOrNumber);
    }
    parsed.root = ShareRoot(server, share);
    steps.erase(steps.begin(), steps.begin() + 2);
    AddSteps(steps, parsed.components);
    return parsed;
  }

  std::string_view rest = vbPath;
  if (vbPath.size() >= 2 && vbPath[1] == ':' && IsDriveLetter(vbPath[0])) {
    rest = vbPath.substr(2);
    const Root root = DriveRoot(vbPath[0]);
    // "D:name" is relative to the working directory when that is on D:, else to D:'s root.
    const bool fromWorking = (rest.empty() || rest.front() != '\\') && working_ &&
                             working_->root.vbPrefix == root.vbPrefix;
    parsed = fromWorking ? *working_ : Parsed{root, {}};
  } else {
    if (!working_) throw VbError(vberr::kPathNotFound);
    parsed = *working_;
    if (rest.front() == '\\') parsed.components.clear();
  }
  AddSteps(SplitSteps(rest), parsed.components);
  return parsed;
}

std::string PathMapper::Absolute(std::string_view vbPath) const {
  const Parsed parsed = Parse(vbPath);
  std::string result = parsed.root.vbPrefix;
  for (const auto& component : parsed.components) result += "\\" + component;
  return parsed.components.empty() ? result + "\\" : result;
}

std::optional<std::string> PathMapper::FindEntry(const std::string& hostDirectory,
                                                 const std::string& name,
                                                 bool knownMissingAsWritten) const {
  if (!knownMissingAsWritten && Exists(HostJoin(hostDirectory, name))) return name;
  return names_->Find(hostDirectory, name);
}

std::string PathMapper::ToHost(std::string_view vbPath) const {
  DirectoryNames::Known known = DirectoryNames::Known::kNothing;
  if (names_->Trusted()) {
    if (std::optional<std::string> host = MapInHeldFolder(vbPath, known)) return std::move(*host);
  }
  return MapSteps(vbPath);
}

std::string PathMapper::ToHost(std::string_view vbPath, DirectoryNames::Known& known) const {
  if (names_->Trusted()) {
    if (std::optional<std::string> host = MapInHeldFolder(vbPath, known)) return std::move(*host);
  }
  // Only a caller that asks what the listing knows pays for the look.
  std::string host = MapSteps(vbPath);
  known = HeldEntry(host);
  return host;
}

std::optional<std::string> PathMapper::MapInHeldFolder(std::string_view vbPath,
                                                       DirectoryNames::Known& known) const {
  const size_t slash = vbPath.rfind('\\');
  if (slash == std::string_view::npos || slash == 0) return std::nullopt;
  const std::string_view folder = vbPath.substr(0, slash);
  // A bare drive ("C:") is the drive's working directory, not the root that "C:\name" is in; a
  // doubled backslash is read by the steps.
  if (folder.back() == ':' || folder.back() == '\\') return std::nullopt;
  std::string_view name = vbPath.substr(slash + 1);
  const size_t kept = name.find_last_not_of(" .");
  // "", "." and ".." are steps rather than names; a name the host cannot hold is refused by the
  // steps' reading, which tells why.
  if (kept == std::string_view::npos) return std::nullopt;
  name = name.substr(0, kept + 1);
  if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  if (const std::shared_ptr<const std::string> host = folders_->Find(folder)) {
    return names_->HeldPath(*host, name, known);
  }
  std::string host;
  try {
    host = MapSteps(folder);
  } catch (const VbError&) {
    return std::nullopt;
  }
  std::optional<std::string> path = names_->HeldPath(host, name, known);
  if (path) folders_->Keep(folder, std::move(host));
  return path;
}

std::string PathMapper::MapSteps(std::string_view vbPath) const {
  const Parsed parsed = Parse(vbPath);
  // Where every step exists as written, each one would be taken as written: one lstat answers
  // for all of them. A file about to be made usually has such a directory.
  std::string written = parsed.root.hostDirectory == "/" ? "" : parsed.root.hostDirectory;
  for (const auto& component : parsed.components) written.append("/").append(component);
  if (parsed.components.empty()) return parsed.root.hostDirectory;
  const auto [directory, name] = HostSplit(written);
  // Under a hold the directory's names answer without a look at the disk.
  if (names_->Lists(directory)) {
    return HostJoin(directory, FindEntry(directory, name, true).value_or(name));
  }
  if (Exists(written)) return written;
  if (parsed.components.size() > 1 && Exists(directory)) {
    return HostJoin(directory, FindEntry(directory, name, true).value_or(name));
  }

  std::string host = parsed.root.hostDirectory;
  bool existing = true;
  for (const auto& component : parsed.components) {
    std::optional<std::string> found;
    if (existing) found = FindEntry(host, component, false);
    existing = found.has_value();
    host = HostJoin(host, found.value_or(component));
  }
  return host;
}

std::string PathMapper::ToVb(std::string_view hostPath) const {
  const std::string absolute = HostAbsolute(hostPath);
  std::optional<Root> best;
  const auto consider = [&](std::string prefix, const std::string& directory) {
    if (!HostContains(directory, absolute)) return;
    if (best && best->hostDirectory.size() >= directory.size()) return;
    best = Root{std::move(prefix), directory};
  };
  for (const auto& [letter, directory] : config_.drives) {
    consider(std::string(1, letter) + ":", directory);
  }
  for (const auto& [prefix, directory] : config_.shares) consider(prefix, directory);
  if (!best) throw VbError(vberr::kPathNotFound);

  std::string rest = absolute.substr(best->hostDirectory == "/" ? 0 : best->hostDirectory.size());
  std::replace(rest.begin(), rest.end(), '/', '\\');
  return rest.empty() ? best->vbPrefix + "\\" : best->vbPrefix + rest;
}

void PathMapper::HoldListings() const {
  if (!names_->Trusted()) folders_->Clear();
  names_->Hold();
}

void PathMapper::ReleaseListings() const {
  names_->Release();
}

DirectoryNames::Known PathMapper::HeldEntry(std::string_view hostPath) const {
  const auto [directory, name] = HostSplitView(hostPath);
  return names_->Entry(directory, name);
}

std::optional<DirectoryNames::Stamp> PathMapper::BeforeChange(const std::string& hostPath) const {
  if (names_->Trusted()) return std::nullopt;
  return DirectoryNames::StampOf(HostSplit(hostPath).first);
}

void PathMapper::Added(std::string_view hostPath,
                       const std::optional<DirectoryNames::Stamp>& before) const {
  const auto [directory, name] = HostSplitView(hostPath);
  names_->Added(directory, name, before);
  folders_->Changed(directory, name);
}

void PathMapper::Removed(std::string_view hostPath,
                         const std::optional<DirectoryNames::Stamp>& before) const {
  const auto [directory, name] = HostSplitView(hostPath);
  names_->Removed(directory, name, before);
  folders_->Changed(directory, name);
}

void PathMapper::Wrote(std::string_view hostPath, unsigned long long length) const {
  const auto [directory, name] = HostSplitView(hostPath);
  names_->Wrote(directory, name, length);
}

std::optional<unsigned long long> PathMapper::WrittenLength(std::string_view hostPath) const {
  const auto [directory, name] = HostSplitView(hostPath);
  return names_->WrittenLength(directory, name);
}

}  // namespace zarvelin::host
