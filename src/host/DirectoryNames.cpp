#include "host/DirectoryNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "host/HostJoin.h"

namespace zarvelin::host {
namespace {

template <typename Entry>
std::optional<std::string> SpellingOf(const Entry* entry) {
  return entry == nullptr ? std::nullopt : std::optional<std::string>(entry->first);
}

template <typename Names>
auto ExactEntry(Names& names, std::string_view name) {
  auto [at, end] = names.equal_range(name);
  while (at != end && at->first != name) ++at;
  return at == end ? names.end() : at;
}

}  // namespace

const std::pair<const std::string, DirectoryNames::Facts>* DirectoryNames::Spelled(
    const Listing& listing, std::string_view name) {
  auto [at, end] = listing.names.equal_range(name);
  const std::pair<const std::string, Facts>* first = nullptr;
  for (; at != end; ++at) {
    if (at->first == name) return &*at;
    if (first == nullptr || at->first < first->first) first = &*at;
  }
  return first;
}

std::optional<DirectoryNames::Stamp> DirectoryNames::StampOf(const std::string& hostDirectory) {
  struct stat status {};
  if (stat(hostDirectory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return Stamp{status.st_dev,          status.st_ino,         status.st_mtim.tv_sec,
               status.st_mtim.tv_nsec, status.st_ctim.tv_sec, status.st_ctim.tv_nsec};
}

std::optional<DirectoryNames::Listing> DirectoryNames::Read(const std::string& hostDirectory) {
  const std::optional<Stamp> before = StampOf(hostDirectory);
  if (!before) return std::nullopt;
  const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(hostDirectory.c_str()), closedir);
  if (!directory) return std::nullopt;
  Listing listing{*before, {}, false};
  while (const dirent* entry = readdir(directory.get())) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    listing.names.emplace(name, Facts{entry->d_type == DT_REG, std::nullopt});
  }
  return listing;
}

void DirectoryNames::Hold() {
  const std::lock_guard lock(mutex_);
  if (holds_++ > 0) return;
  for (auto& [directory, listing] : listings_) listing.unchecked = true;
}

void DirectoryNames::Release() {
  --holds_;
}

const DirectoryNames::Listing* DirectoryNames::HeldListing(const std::string& hostDirectory) {
  if (const auto held = listings_.find(hostDirectory); held != listings_.end()) {
    Listing& listing = held->second;
    if (!listing.unchecked) return &listing;
    // Kept current through this process's own changes; only a stranger's would move the stamp.
    if (StampOf(hostDirectory) == listing.stamp) {
      listing.unchecked = false;
      return &listing;
    }
  }
  std::optional<Listing> listing = Read(hostDirectory);
  if (!listing) return nullptr;
  if (listings_.size() >= kMostListings) listings_.clear();
  return &listings_.insert_or_assign(hostDirectory, std::move(*listing)).first->second;
}

bool DirectoryNames::Lists(const std::string& hostDirectory) {
  if (!Trusted()) return false;
  const std::lock_guard lock(mutex_);
  return HeldListing(hostDirectory) != nullptr;
}

std::optional<std::string> DirectoryNames::HeldPath(const std::string& hostDirectory,
                                                    std::string_view name, Known& known) {
  if (!Trusted()) return std::nullopt;
  const std::lock_guard lock(mutex_);
  const Listing* listing = HeldListing(hostDirectory);
  if (listing == nullptr) return std::nullopt;
  const auto* entry = Spelled(*listing, name);
  known = entry == nullptr            ? Known::kAbsent
          : entry->second.regularFile ? Known::kFile
                                      : Known::kNothing;
  return HostJoin(hostDirectory, entry == nullptr ? name : std::string_view(entry->first));
}

DirectoryNames::Listing* DirectoryNames::CheckedListing(std::string_view hostDirectory) {
  const auto held = listings_.find(hostDirectory);
  return held == listings_.end() || held->second.unchecked ? nullptr : &held->second;
}

DirectoryNames::Known DirectoryNames::Entry(std::string_view hostDirectory, std::string_view name) {
  if (!Trusted()) return Known::kNothing;
  const std::lock_guard lock(mutex_);
  const Listing* listing = CheckedListing(hostDirectory);
  if (listing == nullptr) return Known::kNothing;
  const auto entry = ExactEntry(listing->names, name);
  if (entry == listing->names.end()) return Known::kAbsent;
  return entry->second.regularFile ? Known::kFile : Known::kNothing;
}

std::optional<std::string> DirectoryNames::Find(const std::string& hostDirectory,
                                                std::string_view name) {
  if (Trusted()) {
    const std::lock_guard lock(mutex_);
    const auto held = listings_.find(hostDirectory);
    if (held != listings_.end() && !held->second.unchecked) {
      return SpellingOf(Spelled(held->second, name));
    }
  }
  const std::optional<Stamp> now = StampOf(hostDirectory);
  if (!now) return std::nullopt;
  const std::lock_guard lock(mutex_);
  auto held = listings_.find(hostDirectory);
  if (held == listings_.end() || held->second.stamp != *now) {
    std::optional<Listing> listing = Read(hostDirectory);
    if (!listing) return std::nullopt;
    // Changed while it was read: the listing answers this question but is not kept.
    if (StampOf(hostDirectory) != listing->stamp) {
      if (held != listings_.end()) listings_.erase(held);
      return SpellingOf(Spelled(*listing, name));
    }
    if (held == listings_.end() && listings_.size() >= kMostListings) listings_.clear();
    held = listings_.insert_or_assign(hostDirectory, std::move(*listing)).first;
  }
  return SpellingOf(Spelled(held->second, name));
}

DirectoryNames::Listing* DirectoryNames::CurrentAcross(std::string_view hostDirectory,
                                                       const std::optional<Stamp>& before) {
  const auto held = listings_.find(hostDirectory);
  if (held == listings_.end()) return nullptr;
  if (Trusted()) {
    if (!held->second.unchecked) return &held->second;
    // Not yet checked against the directory, it cannot take a change on trust.
    listings_.erase(held);
    return nullptr;
  }
  const std::optional<Stamp> after = StampOf(std::string(hostDirectory));
  // Already at `after`: the other half of one rename within the directory was told first.
  const bool current =
      before && after && (held->second.stamp == *before || held->second.stamp == *after);
  if (!current) {
    listings_.erase(held);
    return nullptr;
  }
  held->second.stamp = *after;
  return &held->second;
}

void DirectoryNames::Added(std::string_view hostDirectory, std::string_view name,
                           const std::optional<Stamp>& before) {
  const std::lock_guard lock(mutex_);
  if (Listing* listing = CurrentAcross(hostDirectory, before)) {
    const auto entry = ExactEntry(listing->names, name);
    if (entry == listing->names.end()) {
      listing->names.emplace(name, Facts{});
    } else {
      entry->second = Facts{};
    }
  }
}

void DirectoryNames::Removed(std::string_view hostDirectory, std::string_view name,
                             const std::optional<Stamp>& before) {
  const std::lock_guard lock(mutex_);
  Listing* listing = CurrentAcross(hostDirectory, before);
  if (!listing) return;
  if (const auto entry = ExactEntry(listing->names, name); entry != listing->names.end()) {
    listing->names.erase(entry);
  }
}

void DirectoryNames::Wrote(std::string_view hostDirectory, std::string_view name,
                           unsigned long long length) {
  if (!Trusted()) return;
  const std::lock_guard lock(mutex_);
  Listing* listing = CheckedListing(hostDirectory);
  if (listing == nullptr) return;
  if (const auto entry = ExactEntry(listing->names, name); entry != listing->names.end()) {
    entry->second = Facts{true, length};
  }
}

std::optional<unsigned long long> DirectoryNames::WrittenLength(std::string_view hostDirectory,
                                                                std::string_view name) {
  if (!Trusted()) return std::nullopt;
  const std::lock_guard lock(mutex_);
  const Listing* listing = CheckedListing(hostDirectory);
  if (listing == nullptr) return std::nullopt;
  const auto entry = ExactEntry(listing->names, name);
  return entry == listing->names.end() ? std::nullopt : entry->second.writtenLength;
}

}  // namespace zarvelin::host
