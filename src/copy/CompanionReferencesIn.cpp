#include "copy/CompanionReferencesIn.h"

#include <optional>
#include <string_view>

#include "ide/CompanionReferences.h"
#include "runtime/CodedLine.h"
#include "runtime/FileSystem.h"
#include "runtime/ReferencesRead.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {

std::vector<std::string> CompanionReferencesIn(const std::string& file) {
  if (std::optional<std::vector<std::string>> known = ReferencesRead().Find(file)) {
    return std::move(*known);
  }
  std::vector<std::string> references;
  NoCaseSet seen;
  try {
    const auto reader = Files().OpenText(file);
    while (const auto bytes = reader->ReadLine()) {
      std::string decoded;
      const std::string_view line = DecodedText(*bytes, decoded);
      if (ide::IsNameLine(line)) break;
      for (const ide::CompanionReference& reference : ide::FindCompanionReferences(line)) {
        std::string name(line.substr(reference.start, reference.length));
        if (seen.insert(name).second) references.push_back(std::move(name));
      }
    }
    if (const std::optional<std::string> version = reader->Version()) {
      ReferencesRead().Keep(file, *version, references);
    }
  } catch (const VbError&) {
    return {};
  }
  return references;
}

}  // namespace zarvelin::copy
