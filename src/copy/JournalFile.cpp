#include "copy/JournalFile.h"

#include <charconv>
#include <memory>
#include <optional>

#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {
namespace {

constexpr std::string_view kHeader = "Zarvelin copy journal 1";
constexpr std::string_view kBegun = "state begun";
constexpr std::string_view kCommitted = "state committed";
constexpr std::string_view kPlanned = "planned ";
constexpr std::string_view kAside = "aside ";
constexpr std::string_view kFolder = "folder ";
constexpr std::string_view kEnd = "end ";
constexpr char kNameSeparator = '\t';

[[noreturn]] void Refuse(const std::string& path, size_t lineNumber, std::string_view why) {
  throw VbError(vberr::kPathFileAccessError, "The copy journal " + path + " is damaged (line " +
                                                 std::to_string(lineNumber) + ": " +
                                                 std::string(why) + "); nothing was changed");
}

std::optional<size_t> CountOf(std::string_view text) {
  size_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return count;
}

size_t EntryCount(const JournalRecord& record) {
  return record.plannedNames.size() + record.asides.size() + record.madeFolders.size();
}

}  // namespace

bool IsPlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?') return false;
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

bool IsRelativeName(std::string_view name) {
  for (size_t start = 0;;) {
    const size_t end = name.find('\\', start);
    if (!IsPlainName(name.substr(start, end - start))) return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

void WriteJournal(const std::string& path, const JournalRecord& record) {
  std::string text;
  const auto line = [&text](std::string_view first, std::string_view second = {}) {
    text.append(first).append(second).append("\r\n");
  };
  line(kHeader);
  line(record.committed ? kCommitted : kBegun);
  for (const std::string& name : record.plannedNames) line(kPlanned, name);
  for (const AsideEntry& aside : record.asides) {
    line(kAside, aside.name + kNameSeparator + aside.asideName);
  }
  for (const std::string& folder : record.madeFolders) line(kFolder, folder);
  line(kEnd, std::to_string(EntryCount(record)));
  const std::unique_ptr<StagedFile> staged = Files().Stage(path);
  staged->Write(text);
  staged->Commit();
}

JournalRecord ReadJournal(const std::string& path) {
  const std::unique_ptr<TextReader> reader = Files().OpenText(path);
  JournalRecord record;
  size_t lineNumber = 0;
  const auto next = [&]() -> std::optional<std::string> {
    std::optional<std::string> line = reader->ReadLine();
    if (line) ++lineNumber;
    return line;
  };
  const auto relativeName = [&](std::string_view name) {
    if (!IsRelativeName(name)) Refuse(path, lineNumber, "a name outside the copy directory");
    return std::string(name);
  };

  if (next() != kHeader) Refuse(path, lineNumber, "not a copy journal");
  const std::optional<std::string> state = next();
  if (state == kCommitted) {
    record.committed = true;
  } else if (state != kBegun) {
    Refuse(path, lineNumber, "no state");
  }
  for (std::optional<std::string> line = next();; line = next()) {
    if (!line) Refuse(path, lineNumber, "cut short");
    const std::string_view text = *line;
    if (text.starts_with(kPlanned)) {
      record.plannedNames.push_back(relativeName(text.substr(kPlanned.size())));
    } else if (text.starts_with(kAside)) {
      const std::string_view names = text.substr(kAside.size());
      const size_t separator = names.find(kNameSeparator);
      if (separator == std::string_view::npos) Refuse(path, lineNumber, "an aside without a place");
      record.asides.push_back(
          {relativeName(names.substr(0, separator)), relativeName(names.substr(separator + 1))});
    } else if (text.starts_with(kFolder)) {
      record.madeFolders.push_back(relativeName(text.substr(kFolder.size())));
    } else if (text.starts_with(kEnd)) {
      const std::optional<size_t> count = CountOf(text.substr(kEnd.size()));
      if (count != EntryCount(record)) {
        Refuse(path, lineNumber, "entries missing");
      }
      break;
    } else {
      Refuse(path, lineNumber, "an unknown line");
    }
  }
  if (next()) Refuse(path, lineNumber, "lines after its end");
  const NoCaseSet planned(record.plannedNames.begin(), record.plannedNames.end());
  for (const AsideEntry& aside : record.asides) {
    if (!planned.contains(aside.name) || planned.contains(aside.asideName)) {
      Refuse(path, lineNumber, "an aside that does not match the plan");
    }
  }
  return record;
}

}  // namespace zarvelin::copy
