#include "host/SettingsFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>
#include <vector>

#include "host/HostErrors.h"
#include "host/HostFile.h"
#include "runtime/Strings.h"

namespace zarvelin::host {
namespace {

struct Group {
  std::string app;
  std::string section;
  std::vector<std::pair<std::string, std::string>> entries;
};

constexpr std::string_view kEscaped = "%\\=[\r\n";

// Names and values are written with the bytes that would end or split a line as "%XX".
std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string result;
  for (const char c : text) {
    if (kEscaped.find(c) == std::string_view::npos) {
      result += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    result += '%';
    result += kHex[byte >> 4];
    result += kHex[byte & 0xF];
  }
  return result;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(std::string_view text) {
  std::string result;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '%' && at + 2 < text.size() && HexValue(text[at + 1]) >= 0 &&
        HexValue(text[at + 2]) >= 0) {
      result += static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2]));
      at += 2;
    } else {
      result += text[at];
    }
  }
  return result;
}

std::string ReadAll(const std::string& hostPath) {
  int descriptor = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return {};
  HostFile file(descriptor, hostPath);
  std::string content;
  char piece[4096];
  while (const size_t count = file.Read(piece, sizeof piece)) content.append(piece, count);
  return content;
}

std::vector<Group> Parse(std::string_view text) {
  std::vector<Group> groups;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = line.substr(1, line.size() - 2);
      const size_t separator = name.find('\\');
      if (separator == std::string_view::npos) continue;
      groups.push_back(
          Group{Unescape(name.substr(0, separator)), Unescape(name.substr(separator + 1)), {}});
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || groups.empty()) continue;
    groups.back().entries.emplace_back(Unescape(line.substr(0, equals)),
                                       Unescape(line.substr(equals + 1)));
  }
  return groups;
}

std::string Render(const std::vector<Group>& groups) {
  std::string text;
  for (const auto& group : groups) {
    text += "[" + Escape(group.app) + "\\" + Escape(group.section) + "]\n";
    for (const auto& [key, value] : group.entries) text += Escape(key) + "=" + Escape(value) + "\n";
  }
  return text;
}

void MakeDirectories(const std::string& hostDirectory) {
  for (size_t at = 1; at <= hostDirectory.size(); ++at) {
    if (at != hostDirectory.size() && hostDirectory[at] != '/') continue;
    const std::string step = hostDirectory.substr(0, at);
    if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) throw HostError(errno, step);
  }
}

// Rewrites the file beside itself and renames it over the old one.
void Store(const std::string& directory, const std::string& path,
           const std::vector<Group>& groups) {
  MakeDirectories(directory);
  std::string temporary = path + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) throw HostError(errno, temporary);
  HostFile file(descriptor, temporary);
  try {
    file.Write(Render(groups));
    file.Sync();
    file.Close();
    if (rename(temporary.c_str(), path.c_str()) != 0) throw HostError(errno, path);
  } catch (...) {
    unlink(temporary.c_str());
    throw;
  }
}

}  // namespace

SettingsFile::SettingsFile(std::string hostDirectory)
    : directory_(std::move(hostDirectory)), path_(directory_ + "/settings.ini") {}

std::string SettingsFile::Get(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
  for (const auto& group : Parse(ReadAll(path_))) {
    if (!EqualNoCase(group.app, app) || !EqualNoCase(group.section, section)) continue;
    for (const auto& [name, value] : group.entries) {
      if (EqualNoCase(name, key)) return value;
    }
  }
  return std::string(defaultValue);
}

void SettingsFile::Save(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view value) {
  std::vector<Group> groups = Parse(ReadAll(path_));
  auto group = std::find_if(groups.begin(), groups.end(), [&](const Group& candidate) {
    return EqualNoCase(candidate.app, app) && EqualNoCase(candidate.section, section);
  });
  if (group == groups.end()) {
    groups.push_back(Group{std::string(app), std::string(section), {}});
    group = std::prev(groups.end());
  }
  auto entry =
      std::find_if(group->entries.begin(), group->entries.end(),
                   [&](const auto& candidate) { return EqualNoCase(candidate.first, key); });
  if (entry == group->entries.end()) {
    group->entries.emplace_back(std::string(key), std::string(value));
  } else {
    entry->second = std::string(value);
  }

  Store(directory_, path_, groups);
}

void SettingsFile::Delete(std::string_view app, std::string_view section, std::string_view key) {
  std::vector<Group> groups = Parse(ReadAll(path_));
  size_t removed = 0;
  for (Group& group : groups) {
    if (!EqualNoCase(group.app, app) || !EqualNoCase(group.section, section)) continue;
    removed += std::erase_if(
        group.entries, [&](const auto& candidate) { return EqualNoCase(candidate.first, key); });
  }
  if (removed == 0) return;
  std::erase_if(groups, [](const Group& group) { return group.entries.empty(); });
  Store(directory_, path_, groups);
}

}  // namespace zarvelin::host
