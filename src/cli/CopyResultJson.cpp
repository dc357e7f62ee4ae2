#include "cli/CopyResultJson.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/Commands.h"

namespace zarvelin::cli {

void WriteCopyResultJson(const copy::CopyResult& result, bool dryRun, const ShownPaths& shown,
                         std::ostream& out) {
  nlohmann::ordered_json written = nlohmann::ordered_json::array();
  for (const copy::WrittenFile& file : result.written) {
    nlohmann::ordered_json entry = {{"path", shown(file.path)}};
    if (!dryRun) entry["size"] = file.size;
    written.push_back(entry);
  }
  nlohmann::ordered_json renamed = nlohmann::ordered_json::array();
  for (const copy::Renaming& renaming : result.renamed) {
    renamed.push_back({{"source", shown(renaming.source)}, {"name", shown.Name(renaming.name)}});
  }
  nlohmann::ordered_json replaced = nlohmann::ordered_json::array();
  for (const std::string& path : result.replaced) replaced.push_back(shown(path));
  nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
  for (const std::string& path : result.skipped) skipped.push_back(shown(path));
  nlohmann::ordered_json notPutBack = nlohmann::ordered_json::array();
  for (const copy::NotPutBack& file : result.notPutBack) {
    notPutBack.push_back({{"file", shown(file.file)}, {"keptAs", shown(file.keptAs)}});
  }
  nlohmann::ordered_json stopped = nullptr;
  if (!result.finished) {
    const std::string named = FileNamedIn(result.reason);
    // The reason quotes the file as the engine names it; the reader gets the name they know.
    std::string reason = result.reason;
    if (!named.empty()) reason.replace(reason.rfind(named), named.size(), shown(named));
    stopped = {{"step", std::string(copy::CopyStepName(result.step))},
               {"error", result.errorNumber},
               {"file", shown(named.empty() ? result.file : named)},
               {"reason", reason}};
  }
  const nlohmann::ordered_json document = {
      {"dryRun", dryRun},   {"finished", result.finished}, {"stopped", stopped},
      {"written", written}, {"renamed", renamed},          {"replaced", replaced},
      {"skipped", skipped}, {"notPutBack", notPutBack},
  };
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace zarvelin::cli
