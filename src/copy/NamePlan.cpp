#include "copy/NamePlan.h"

#include <optional>
#include <string_view>
#include <utility>

#include "copy/FileExists.h"
#include "copy/GetFileName.h"
#include "ide/CompanionNames.h"
#include "ide/CompanionReferences.h"
#include "ide/ComponentKinds.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The folder of a file path: everything before its last backslash. A colon in the file's name
// stays part of the name here.
std::string FolderOf(const std::string& path) {
  const size_t cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string BaseOf(const std::string& name) {
  return name.substr(0, name.rfind('.'));
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool SavedThroughIde(int32_t type) {
  const ide::ComponentKind* kind = ide::KindOfType(type);
  return kind != nullptr && (kind->namedByKey || kind->namedByFile);
}

bool CopiedAsFile(int32_t type) {
  return type == ide::component::kResFile || type == ide::component::kRelatedDocument;
}

// Which folders are the copy directory, whatever their spelling: asked once per folder, with the
// backslash that joins them to file names, so a bare drive ("D:") is its root.
class CopyDirectoryTest {
 public:
  explicit CopyDirectoryTest(std::string copyDirectory)
      : copyDirectory_(std::move(copyDirectory)) {}

  bool operator()(const std::string& folder) {
    const auto known = answers_.find(folder);
    if (known != answers_.end()) return known->second;
    return answers_[folder] = Files().SameFile(folder + "\\", copyDirectory_ + "\\");
  }

 private:
  std::string copyDirectory_;
  NoCaseMap<bool> answers_;
};

// What the plan learns of one component from the IDE and from its file.
struct Source {
  int32_t type = 0;
  std::string file;
  std::string ownName;
  bool inCopyDirectory = false;
  // The extension of each companion the file refers to, each companion once, in order.
  std::vector<std::string> companionExtensions;
  // The companions it refers to, as paths, and those that lie in the copy directory, by name.
  std::vector<std::string> companions;
  std::vector<std::string> companionsThere;
  bool designerCache = false;
};

// The companions a component file names in its property block, each once by its path as
// written. A file that cannot be read names none: the IDE holds the component, and its save
// reports what is wrong.
std::vector<std::string> ReferencesIn(const std::string& file) {
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
  } catch (const VbError&) {
    return {};
  }
  return references;
}

Source Learn(ide::VBComponent& component, CopyDirectoryTest& isCopyDirectory) {
  Source source;
  source.type = component.Type();
  source.file = component.FileNames(1);
  source.ownName = GetFileName(source.file);
  if (source.ownName.empty()) return source;
  const std::string folder = FolderOf(source.file);
  source.inCopyDirectory = isCopyDirectory(folder);
  if (!SavedThroughIde(source.type)) return source;
  for (const std::string& reference : ReferencesIn(source.file)) {
    source.companionExtensions.push_back(ExtensionOf(GetFileName(reference)));
    const std::string path = JoinPath(folder, reference);
    source.companions.push_back(path);
    if (isCopyDirectory(FolderOf(path))) source.companionsThere.push_back(GetFileName(path));
  }
  if (source.type == ide::component::kActiveXDesigner) {
    const std::string cache = JoinPath(folder, BaseOf(source.ownName) + ".dca");
    source.designerCache = FileExists(cache);
    if (source.designerCache && source.inCopyDirectory) {
      source.companionsThere.push_back(GetFileName(cache));
    }
  }
  return source;
}

// The names one file takes when it is written as name: those written for certain, and those an
// IDE may write besides.
struct Footprint {
  std::vector<std::string> writes;
  std::vector<std::string> besides;
};

Footprint FootprintOf(const Source& source, const std::string& name) {
  Footprint footprint{{name}, {}};
  if (!SavedThroughIde(source.type)) return footprint;
  const std::string base = BaseOf(name);
  for (std::string& companion :
       ide::CompanionFileNames(base, ExtensionOf(name), source.companionExtensions)) {
    footprint.writes.push_back(std::move(companion));
  }
  const ide::ComponentKind* kind = ide::KindOfType(source.type);
  std::vector<std::string> standard;
  if (!kind->companion.empty()) standard.push_back(base + "." + std::string(kind->companion));
  if (source.type == ide::component::kActiveXDesigner) {
    (source.designerCache ? footprint.writes : standard).push_back(base + ".dca");
  }
  for (std::string& companion : standard) {
    bool written = false;
    for (const std::string& each : footprint.writes) {
      written = written || EqualNoCase(each, companion);
    }
    if (!written) footprint.besides.push_back(std::move(companion));
  }
  return footprint;
}

Footprint ProjectFootprint(const std::string& name) {
  // VB writes the project's workspace (window positions) beside a saved project file.
  return {{name}, {BaseOf(name) + ".vbw"}};
}

class Names {
 public:
  void Reserve(const std::string& name) {
    if (taken_.insert(name).second) reserved_.push_back(name);
  }
  bool Free(const Footprint& footprint) const {
    for (const auto* names : {&footprint.writes, &footprint.besides}) {
      for (const std::string& name : *names) {
        if (taken_.contains(name)) return false;
      }
    }
    // A footprint must not collide with itself either (x.frm naming "x_2.frm" besides ...).
    NoCaseSet own;
    for (const auto* names : {&footprint.writes, &footprint.besides}) {
      for (const std::string& name : *names) {
        if (!own.insert(name).second) return false;
      }
    }
    return true;
  }
  template <class FootprintFor>
  std::pair<std::string, Footprint> Place(const std::string& wanted, FootprintFor footprintFor) {
    const std::string base = BaseOf(wanted);
    const size_t dot = wanted.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : wanted.substr(dot);
    std::string name = wanted;
    Footprint footprint = footprintFor(name);
    for (int32_t n = 2; !Free(footprint); ++n) {
      name = base + "_" + std::to_string(n) + extension;
      footprint = footprintFor(name);
    }
    for (const auto* names : {&footprint.writes, &footprint.besides}) {
      for (const std::string& taken : *names) taken_.insert(taken);
    }
    return {name, std::move(footprint)};
  }
  std::vector<std::string> TakeReserved() { return std::move(reserved_); }

 private:
  NoCaseSet taken_;
  std::vector<std::string> reserved_;
};

}  // namespace

std::string SafeFileName(const std::string& name) {
  // A colon reads as a drive or a stream, and Windows takes none of these characters in a name;
  // a name the copy directory could not hold on every system is written under a safe one.
  std::string safe = name;
  for (char& c : safe) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view(":*?\"<>|/").find(c) != std::string_view::npos)
      c = '_';
  }
  const size_t first = safe.find_first_not_of(" .");
  if (first == std::string::npos) return "_";
  return safe.substr(first, safe.find_last_not_of(" .") - first + 1);
}

NamePlan::NamePlan(const std::vector<std::shared_ptr<ide::VBComponent>>& components,
                   const std::string& copyDirectory, const std::string& projectFileName) {
  CopyDirectoryTest isCopyDirectory(copyDirectory);
  std::vector<Source> sources;
  sources.reserve(components.size());
  for (const std::shared_ptr<ide::VBComponent>& component : components) {
    sources.push_back(Learn(*component, isCopyDirectory));
  }

  // Sources in the copy directory keep their names: still to be read, or saved in place.
  Names names;
  for (const Source& source : sources) {
    if (source.ownName.empty()) continue;
    if (source.inCopyDirectory) names.Reserve(source.ownName);
    for (const std::string& companion : source.companionsThere) names.Reserve(companion);
  }

  std::vector<std::string> besides;
  const auto plan = [&](const std::string& source, const std::string& own, auto footprintFor) {
    auto [name, footprint] = names.Place(SafeFileName(own), footprintFor);
    if (name != own) renamed_.push_back({source, name});
    for (std::string& each : footprint.besides) besides.push_back(std::move(each));
    return std::pair{name, std::move(footprint.writes)};
  };

  auto [projectName, projectWrites] = plan(projectFileName, projectFileName, ProjectFootprint);
  projectFileName_ = projectName;

  components_.reserve(sources.size());
  for (const Source& source : sources) {
    PlannedComponent planned{source.file, source.ownName, false, {}, source.companions};
    const bool written = SavedThroughIde(source.type) || CopiedAsFile(source.type);
    if (source.ownName.empty() || !written) {
      components_.push_back(std::move(planned));
      continue;
    }
    if (source.inCopyDirectory) {
      planned.inPlace = true;
      components_.push_back(std::move(planned));
      continue;
    }
    auto [name, writes] = plan(source.file, source.ownName,
                               [&](const std::string& each) { return FootprintOf(source, each); });
    planned.name = name;
    planned.writes = writes;
    writes_.insert(writes_.end(), writes.begin(), writes.end());
    components_.push_back(std::move(planned));
  }
  writes_.insert(writes_.end(), projectWrites.begin(), projectWrites.end());
  targets_ = writes_;
  targets_.insert(targets_.end(), besides.begin(), besides.end());
  reserved_ = names.TakeReserved();
}

}  // namespace zarvelin::copy
