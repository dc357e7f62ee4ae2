#include "host/DirectoryNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace zarvelin::host {
namespace {

void Insert(std::vector<std::string>& spellings, const std::string& name) {
  const auto at = std::lower_bound(spellings.begin(), spellings.end(), name);
  if (at == spellings.end() || *at != name) spellings.insert(at, name);
}

}  // namespace

std::optional<std::string> DirectoryNames::FirstSpelling(const Listing& listing,
                                                         std::string_view name) {
  const auto spellings = listing.names.find(name);
  if (spellings == listing.names.end()) return std::nullopt;
  if (std::binary_search(spellings->second.begin(), spellings->second.end(), name)) {
    return std::string(name);
  }
  return spellings->second.front();
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
  Listing listing{*before, {}, {}};
  while (const dirent* entry = readdir(directory.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    Insert(listing.names[name], name);
    if (entry->d_type == DT_REG) listing.files.insert(name);
  }
  return listing;
}

void DirectoryNames::Hold() {
  const std::lock_guard lock(mutex_);
  if (holds_++ == 0) listings_.clear();
}

void DirectoryNames::Release() {
  --holds_;
}

const DirectoryNames::Listing* DirectoryNames::HeldListing(const std::string& hostDirectory) {
  if (const auto held = listings_.find(hostDirectory); held != listings_.end()) {
    return &held->second;
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

std::optional<std::optional<std::string>> DirectoryNames::HeldSpelling(
    const std::string& hostDirectory, std::string_view name) {
  if (!Trusted()) return std::nullopt;
  const std::lock_guard lock(mutex_);
  const Listing* listing = HeldListing(hostDirectory);
  if (listing == nullptr) return std::nullopt;
  return FirstSpelling(*listing, name);
}

DirectoryNames::Known DirectoryNames::Entry(const std::string& hostDirectory,
                                            const std::string& name) {
  if (!Trusted()) return Known::kNothing;
  const std::lock_guard lock(mutex_);
  const auto held = listings_.find(hostDirectory);
  if (held == listings_.end()) return Known::kNothing;
  const auto spellings = held->second.names.find(name);
  if (spellings == held->second.names.end() ||
      !std::binary_search(spellings->second.begin(), spellings->second.end(), name)) {
    return Known::kAbsent;
  }
  return held->second.files.contains(name) ? Known::kFile : Known::kNothing;
}

std::optional<std::string> DirectoryNames::Find(const std::string& hostDirectory,
                                                std::string_view name) {
  if (Trusted()) {
    const std::lock_guard lock(mutex_);
    const auto held = listings_.find(hostDirectory);
    if (held != listings_.end()) return FirstSpelling(held->second, name);
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
      return FirstSpelling(*listing, name);
    }
    if (held == listings_.end() && listings_.size() >= kMostListings) listings_.clear();
    held = listings_.insert_or_assign(hostDirectory, std::move(*listing)).first;
  }
  return FirstSpelling(held->second, name);
}

DirectoryNames::Listing* DirectoryNames::CurrentAcross(const std::string& hostDirectory,
                                                       const std::optional<Stamp>& before) {
  const auto held = listings_.find(hostDirectory);
  if (held == listings_.end()) return nullptr;
  if (Trusted()) return &held->second;
  const std::optional<Stamp> after = StampOf(hostDirectory);
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

void DirectoryNames::Added(const std::string& hostDirectory, const std::string& name,
                           const std::optional<Stamp>& before) {
  const std::lock_guard lock(mutex_);
  if (Listing* listing = CurrentAcross(hostDirectory, before)) {
    Insert(listing->names[name], name);
    listing->files.erase(name);
  }
}

void DirectoryNames::Removed(const std::string& hostDirectory, const std::string& name,
                             const std::optional<Stamp>& before) {
  const std::lock_guard lock(mutex_);
  Listing* listing = CurrentAcross(hostDirectory, before);
  if (!listing) return;
  listing->files.erase(name);
  const auto spellings = listing->names.find(name);
  if (spellings == listing->names.end()) return;
  std::erase(spellings->second, name);
  if (spellings->second.empty()) listing->names.erase(spellings);
}

}  // namespace zarvelin::host
