#include "copy/NamePlan.h"

#include <optional>
#include <string_view>
#include <utility>

#include "copy/CompanionReferencesIn.h"
#include "copy/FileExists.h"
#include "copy/GetFileName.h"
#include "copy/TreeLayout.h"
#include "ide/CompanionNames.h"
#include "ide/ComponentKinds.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/Strings.h"
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

// Where the extension of a name starts (its dot): a dot in a folder above the name is none.
size_t ExtensionDot(const std::string& name) {
  const size_t dot = name.rfind('.');
  const size_t folder = name.rfind('\\');
  return dot == std::string::npos || (folder != std::string::npos && dot < folder)
             ? std::string::npos
             : dot;
}

std::string BaseOf(const std::string& name) {
  return name.substr(0, ExtensionDot(name));
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = ExtensionDot(name);
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string Within(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "\\" + name;
}

bool SavedThroughIde(int32_t type) {
  const ide::ComponentKind* kind = ide::KindOfType(type);
  return kind != nullptr && (kind->namedByKey || kind->namedByFile);
}

bool CopiedAsFile(int32_t type) {
  return type == ide::component::kResFile || type == ide::component::kRelatedDocument;
}

// Where the copy wants each file: by its own name in the copy directory, or at its place below
// the root of the tree the copy keeps.
class Places {
 public:
  explicit Places(const std::string& treeRoot) : treeRoot_(treeRoot) {
    if (!treeRoot.empty()) placer_.emplace(treeRoot);
  }

  std::string Wanted(const std::string& file) {
    if (!placer_) return GetFileName(file);
    std::string relative = placer_->RelativeOf(file);
    if (relative.empty()) {
      throw VbError(vberr::kPathNotFound,
                    file + " lies outside " + treeRoot_ + ", the folder whose tree the copy keeps");
    }
    const std::string folder = FolderOf(relative);
    if (!folder.empty()) folders_.insert(folder);
    return relative;
  }
  // The folders below the copy directory the wanted names lie in.
  std::vector<std::string> Folders() const { return {folders_.begin(), folders_.end()}; }

 private:
  std::string treeRoot_;
  std::optional<TreeLayout::Placer> placer_;
  NoCaseSet folders_;
};

// Which of the copy's folders a source folder is, whatever its spelling (case, links): asked once
// per folder, with the backslash that joins them to file names, so a bare drive ("D:") is its
// root. The answer is the folder's place below the copy directory, "" for the copy directory.
class TargetFolders {
 public:
  TargetFolders(std::string copyDirectory, const std::vector<std::string>& relativeFolders)
      : copyDirectory_(std::move(copyDirectory)), relativeFolders_(relativeFolders) {
    relativeFolders_.insert(relativeFolders_.begin(), std::string());
  }

  const std::optional<std::string>& operator()(const std::string& folder) {
    const auto known = answers_.find(folder);
    if (known != answers_.end()) return known->second;
    std::optional<std::string>& answer = answers_[folder];
    for (const std::string& relative : relativeFolders_) {
      if (Files().SameFile(folder + "\\", JoinPath(copyDirectory_, relative) + "\\")) {
        answer = relative;
        break;
      }
    }
    return answer;
  }

 private:
  std::string copyDirectory_;
  std::vector<std::string> relativeFolders_;
  NoCaseMap<std::optional<std::string>> answers_;
};

// What the plan learns of one component from the IDE and from its file.
struct Source {
  int32_t type = 0;
  std::string file;
  std::string ownName;
  // The name the copy wants for it (see Places); empty when the copy writes nothing for it.
  std::string wanted;
  // Its name in the copy directory when it lies in one of the copy's folders.
  std::optional<std::string> nameThere;
  // The extension of each companion the file refers to, each companion once, in order.
  std::vector<std::string> companionExtensions;
  // The companions it refers to, as paths, and those that lie in the copy directory, by name.
  std::vector<std::string> companions;
  std::vector<std::string> companionsThere;
  bool designerCache = false;
};

Source Learn(ide::VBComponent& component, Places& places) {
  Source source;
  source.type = component.Type();
  source.file = component.FileNames(1);
  source.ownName = GetFileName(source.file);
  if (!source.ownName.empty() && (SavedThroughIde(source.type) || CopiedAsFile(source.type))) {
    source.wanted = places.Wanted(source.file);
  }
  return source;
}

void LearnWhereItLies(Source& source, TargetFolders& targetFolder) {
  if (source.ownName.empty()) return;
  const std::string folder = FolderOf(source.file);
  if (const std::optional<std::string>& there = targetFolder(folder)) {
    source.nameThere = Within(*there, source.ownName);
  }
  if (!SavedThroughIde(source.type)) return;
  for (const std::string& reference : CompanionReferencesIn(source.file)) {
    source.companionExtensions.push_back(ExtensionOf(GetFileName(reference)));
    const std::string path = JoinPath(folder, reference);
    source.companions.push_back(path);
    if (const std::optional<std::string>& there = targetFolder(FolderOf(path))) {
      source.companionsThere.push_back(Within(*there, GetFileName(path)));
    }
  }
  if (source.type == ide::component::kActiveXDesigner) {
    const std::string cacheName = BaseOf(source.ownName) + ".dca";
    source.designerCache = FileExists(JoinPath(folder, cacheName));
    if (source.designerCache && source.nameThere) {
      source.companionsThere.push_back(Within(FolderOf(*source.nameThere), cacheName));
    }
  }
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
    const size_t dot = ExtensionDot(wanted);
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

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, letter case and trailing blanks aside.
bool IsDeviceName(std::string_view base) {
  while (base.ends_with(' ')) base.remove_suffix(1);
  const std::string upper = UpperAscii(std::string(base));
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

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
  safe = safe.substr(first, safe.find_last_not_of(" .") - first + 1);
  // Windows opens a device for such a name, with any extension: the file would never be written.
  const size_t baseEnd = safe.find('.');
  if (IsDeviceName(std::string_view(safe).substr(0, baseEnd))) {
    safe.insert(baseEnd == std::string::npos ? safe.size() : baseEnd, "_");
  }
  return safe;
}

std::string SafeRelativeName(const std::string& name) {
  std::string safe;
  for (size_t start = 0;;) {
    const size_t end = name.find('\\', start);
    safe += SafeFileName(name.substr(start, end - start));
    if (end == std::string::npos) return safe;
    safe += '\\';
    start = end + 1;
  }
}

NamePlan::NamePlan(const std::vector<std::shared_ptr<ide::VBComponent>>& components,
                   const CopyRequest& request) {
  const bool keepsTree = !request.treeRoot.empty();
  Places places(request.treeRoot);
  const std::string projectFile = JoinPath(request.projectDirectory, request.projectFileName);
  const std::string wantedProject =
      keepsTree ? places.Wanted(projectFile) : request.projectFileName;
  std::vector<Source> sources;
  sources.reserve(components.size());
  for (const std::shared_ptr<ide::VBComponent>& component : components) {
    sources.push_back(Learn(*component, places));
  }
  TargetFolders targetFolder(request.copyDirectory, places.Folders());
  for (Source& source : sources) LearnWhereItLies(source, targetFolder);

  // Sources in the copy's folders keep their names: still to be read, or saved in place. So does
  // the source project file, which a copy never writes.
  Names names;
  if (const std::optional<std::string>& there = targetFolder(request.projectDirectory)) {
    names.Reserve(Within(*there, request.projectFileName));
  }
  for (const Source& source : sources) {
    if (source.nameThere) names.Reserve(*source.nameThere);
    for (const std::string& companion : source.companionsThere) names.Reserve(companion);
  }

  std::vector<std::string> besides;
  const auto plan = [&](const std::string& source, const std::string& own, auto footprintFor) {
    auto [name, footprint] = names.Place(SafeRelativeName(own), footprintFor);
    if (name != own) renamed_.push_back({source, name});
    for (std::string& each : footprint.besides) besides.push_back(std::move(each));
    return std::pair{name, std::move(footprint.writes)};
  };

  auto [projectName, projectWrites] = plan(projectFile, wantedProject, ProjectFootprint);
  projectFileName_ = projectName;

  components_.reserve(sources.size());
  for (const Source& source : sources) {
    PlannedComponent planned{source.file, source.ownName, false, {}, source.companions};
    if (source.wanted.empty()) {
      components_.push_back(std::move(planned));
      continue;
    }
    // Its file already is its place: nothing to write.
    if (source.nameThere && EqualNoCase(*source.nameThere, source.wanted)) {
      planned.inPlace = true;
      components_.push_back(std::move(planned));
      continue;
    }
    auto [name, writes] = plan(source.file, source.wanted,
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
