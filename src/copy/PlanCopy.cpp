#include <memory>
#include <string>
#include <vector>

#include "copy/CopyProject.h"
#include "copy/FileExists.h"
#include "copy/NamePlan.h"
#include "ide/ComponentKinds.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The first source file the copy of this component would miss, or nothing.
const std::string* MissingSource(const PlannedComponent& planned) {
  if (planned.inPlace) return nullptr;
  if (!FileExists(planned.sourceFile)) return &planned.sourceFile;
  for (const std::string& read : planned.reads) {
    if (!FileExists(read)) return &read;
  }
  return nullptr;
}

}  // namespace

CopyResult PlanCopy(ide::VBProject& project, const CopyRequest& request) {
  CopyResult result;
  const std::vector<std::shared_ptr<ide::VBComponent>> components =
      project.Components().Enumerate();
  const NamePlan plan(components, request);
  result.renamed = plan.Renamed();
  const auto stop = [&](int32_t number, const std::string& file, std::string reason) {
    result.step = CopyStep::Components;
    result.errorNumber = number;
    result.file = file;
    result.reason = std::move(reason);
    return result;
  };
  if (components.empty()) return stop(0, {}, "There are no components.");

  std::vector<std::string> written;
  for (size_t index = 0; index < components.size(); ++index) {
    const PlannedComponent& planned = plan.Components()[index];
    const int32_t type = components[index]->Type();
    if (planned.name.empty()) {
      return stop(0, {}, "You Have Not Saved " + components[index]->Name());
    }
    if (ide::KindOfType(type) == nullptr) {
      return stop(0, planned.sourceFile,
                  components[index]->Name() + " Has Type " + std::to_string(type));
    }
    if (const std::string* missing = MissingSource(planned)) {
      if (type == ide::component::kRelatedDocument && request.skipMissingDocs &&
          missing == &planned.sourceFile) {
        result.skipped.push_back(planned.sourceFile);
        continue;
      }
      const VbError error(vberr::kFileNotFound);
      return stop(error.Number(), *missing, error.Description());
    }
    for (const std::string& name : planned.writes) {
      written.push_back(JoinPath(request.copyDirectory, name));
    }
  }
  written.push_back(JoinPath(request.copyDirectory, plan.ProjectFileName()));
  for (std::string& path : written) {
    if (FileExists(path)) result.replaced.push_back(path);
    result.written.push_back({std::move(path), 0});
  }
  result.finished = true;
  return result;
}

}  // namespace zarvelin::copy
