#include "filebacked/FileBackedIdeComponentFile.h"

#include <optional>
#include <utility>

#include "filebacked/FileBackedIdeLearnedFiles.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"

namespace zarvelin::filebacked {
namespace {

constexpr std::string_view kFirstBegin = "Begin ";
constexpr std::string_view kMdiBegin = "Begin VB.MDIForm";
// What the run time's reader takes in one read: a file no larger is kept whole at no further cost.
constexpr size_t kWholeReadBytes = 64 * 1024;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string DeclaredName(std::string_view line) {
  const std::string_view rest = line.substr(ide::kNameLinePrefix.size());
  return std::string(rest.substr(0, rest.find('"')));
}

bool AlreadyListed(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& listed : names) {
    if (EqualNoCase(listed, name)) return true;
  }
  return false;
}

// A line before the name line: the first Begin tells an MDI form, and companions are named here.
void LearnFromPropertyLine(std::string_view line, bool& seenBegin, ComponentFileFacts& facts) {
  if (!seenBegin && StartsWith(line, kFirstBegin)) {
    seenBegin = true;
    facts.mdiForm = StartsWith(line, kMdiBegin);
  }
  for (const CompanionReference& reference : FindCompanionReferences(line)) {
    const std::string_view name = line.substr(reference.start, reference.length);
    if (!AlreadyListed(facts.companions, name)) facts.companions.emplace_back(name);
  }
}

}  // namespace

std::string RenameCompanions(std::string_view line,
                             const std::function<std::string(const std::string&)>& rename) {
  std::string result;
  size_t copied = 0;
  for (const CompanionReference& reference : FindCompanionReferences(line)) {
    result += line.substr(copied, reference.start - copied);
    result += rename(std::string(line.substr(reference.start, reference.length)));
    copied = reference.start + reference.length;
  }
  result += line.substr(copied);
  return result;
}

ComponentFileFacts ReadComponentFile(const std::string& path, std::optional<std::string>* text) {
  if (std::optional<ComponentFileFacts> known = LearnedFacts(path)) return std::move(*known);
  ComponentFileFacts facts;
  bool seenBegin = false;
  bool named = false;
  std::optional<std::string> kept;
  if (text != nullptr) kept.emplace();
  const std::unique_ptr<TextReader> reader = Files().OpenText(path);
  while (std::optional<std::string> bytes = reader->ReadLine()) {
    if (!named) {
      std::string decoded;
      const std::string_view line = DecodedText(*bytes, decoded);
      if (IsNameLine(line)) {
        facts.name = DeclaredName(line);
        named = true;
      } else {
        LearnFromPropertyLine(line, seenBegin, facts);
      }
    }
    if (kept) {
      if (kept->size() + bytes->size() + 2 <= kWholeReadBytes) {
        kept->append(*bytes).append("\r\n");
      } else {
        kept.reset();
      }
    }
    if (named && !kept) break;
  }
  if (const std::optional<std::string> version = reader->Version()) Learned(path, *version, facts);
  if (text != nullptr) *text = std::move(kept);
  return facts;
}

}  // namespace zarvelin::filebacked
