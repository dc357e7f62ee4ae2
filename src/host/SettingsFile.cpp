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

// The file's lines, each with its group (app and section) and entry, if it is one. Lines of any
// other shape (comments, a hand-written section of another tool) are kept as they are.
struct Line {
  std::string text;
  bool header = false;
  std::string app{}, section{}, key{}, value{};
};

std::vector<Line> Parse(std::string_view text) {
  std::vector<Line> lines;
  std::string app, section;
  bool inGroup = false;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view raw = text.substr(at, end - at);
    at = end + 1;
    Line line{std::string(raw)};
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const size_t separator = raw.find('\\');
    if (raw.size() >= 2 && raw.front() == '[' && raw.back() == ']') {
      inGroup = separator != std::string_view::npos && separator < raw.size() - 1;
      if (inGroup) {
        app = Unescape(raw.substr(1, separator - 1));
        section = Unescape(raw.substr(separator + 1, raw.size() - separator - 2));
        line.header = true;
        line.app = app;
        line.section = section;
      }
    } else if (const size_t equals = raw.find('='); inGroup && equals != std::string_view::npos) {
      line.app = app;
      line.section = section;
      line.key = Unescape(raw.substr(0, equals));
      line.value = Unescape(raw.substr(equals + 1));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

bool InGroup(const Line& line, std::string_view app, std::string_view section) {
  return !line.app.empty() && EqualNoCase(line.app, app) && EqualNoCase(line.section, section);
}

bool IsEntry(const Line& line, std::string_view app, std::string_view section,
             std::string_view key) {
  return !line.header && InGroup(line, app, section) && EqualNoCase(line.key, key);
}

std::string Render(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.text + "\n";
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
void Store(const std::string& directory, const std::string& path, const std::vector<Line>& lines) {
  MakeDirectories(directory);
  std::string temporary = path + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) throw HostError(errno, temporary);
  HostFile file(descriptor, temporary);
  try {
    file.Write(Render(lines));
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
  for (const Line& line : Parse(ReadAll(path_))) {
    if (IsEntry(line, app, section, key)) return line.value;
  }
  return std::string(defaultValue);
}

void SettingsFile::Save(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view value) {
  std::vector<Line> lines = Parse(ReadAll(path_));
  // New lines end as the file's first line does.
  const std::string end =
      !lines.empty() && !lines.front().text.empty() && lines.front().text.back() == '\r' ? "\r"
                                                                                         : "";
  const std::string entry = Escape(key) + "=" + Escape(value) + end;
  const auto found = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
    return IsEntry(line, app, section, key);
  });
  if (found != lines.end()) {
    // The key keeps the file's spelling and the line its end.
    const bool carriageReturn = found->text.back() == '\r';
    found->text = found->text.substr(0, found->text.find('=') + 1) + Escape(value) +
                  (carriageReturn ? "\r" : "");
  } else {
    // A new entry goes to the end of its group's lines, or into a new group at the end.
    const auto last = std::find_if(lines.rbegin(), lines.rend(),
                                   [&](const Line& line) { return InGroup(line, app, section); });
    if (last == lines.rend()) {
      lines.push_back(Line{"[" + Escape(app) + "\\" + Escape(section) + "]" + end});
      lines.push_back(Line{entry});
    } else {
      lines.insert(last.base(), Line{entry});
    }
  }
  Store(directory_, path_, lines);
}

void SettingsFile::Delete(std::string_view app, std::string_view section, std::string_view key) {
  std::vector<Line> lines = Parse(ReadAll(path_));
  if (std::erase_if(lines, [&](const Line& line) { return IsEntry(line, app, section, key); }) == 0)
    return;
  // A group left with nothing in it goes too.
  const auto header = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
    return line.header && InGroup(line, app, section);
  });
  if (header != lines.end() &&
      (std::next(header) == lines.end() || std::next(header)->text.front() == '['))
    lines.erase(header);
  Store(directory_, path_, lines);
}

}  // namespace zarvelin::host
