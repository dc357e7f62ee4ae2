#include "cli/CopyResultJson.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace zarvelin::cli {
namespace {

// A path in the copy directory, under the directory as given: what follows the copy's own name
// of the directory is put after the given one with the separator the user wrote.
std::string AsGiven(const std::string& path, const std::string& copyDirectory,
                    const std::string& givenDirectory) {
  if (path.size() <= copyDirectory.size() || path.compare(0, copyDirectory.size(), copyDirectory))
    return path;
  const std::string name = path.substr(copyDirectory.size() + 1);
  if (givenDirectory.empty()) return name;
  const char last = givenDirectory.back();
  if (last == '/' || last == '\\') return givenDirectory + name;
  const bool backslashes = givenDirectory.find('/') == std::string::npos &&
                           givenDirectory.find('\\') != std::string::npos;
  return givenDirectory + (backslashes ? "\\" : "/") + name;
}

}  // namespace

void WriteCopyResultJson(const copy::CopyResult& result, bool dryRun,
                         const std::string& copyDirectory, const std::string& givenDirectory,
                         std::ostream& out) {
  const auto given = [&](const std::string& path) {
    return AsGiven(path, copyDirectory, givenDirectory);
  };
  nlohmann::ordered_json written = nlohmann::ordered_json::array();
  for (const copy::WrittenFile& file : result.written) {
    nlohmann::ordered_json entry = {{"path", given(file.path)}};
    if (!dryRun) entry["size"] = file.size;
    written.push_back(entry);
  }
  nlohmann::ordered_json renamed = nlohmann::ordered_json::array();
  for (const copy::Renaming& renaming : result.renamed) {
    renamed.push_back({{"source", renaming.source}, {"name", renaming.name}});
  }
  nlohmann::ordered_json replaced = nlohmann::ordered_json::array();
  for (const std::string& path : result.replaced) replaced.push_back(given(path));
  nlohmann::ordered_json notPutBack = nlohmann::ordered_json::array();
  for (const copy::NotPutBack& file : result.notPutBack) {
    notPutBack.push_back({{"file", given(file.file)}, {"keptAs", given(file.keptAs)}});
  }
  nlohmann::ordered_json stopped = nullptr;
  if (!result.finished) {
    stopped = {{"step", std::string(copy::CopyStepName(result.step))},
               {"error", result.errorNumber},
               {"file", given(result.file)},
               {"reason", result.reason}};
  }
  const nlohmann::ordered_json document = {
      {"dryRun", dryRun},          {"finished", result.finished}, {"stopped", stopped},
      {"written", written},        {"renamed", renamed},          {"replaced", replaced},
      {"skipped", result.skipped}, {"notPutBack", notPutBack},
  };
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace zarvelin::cli
