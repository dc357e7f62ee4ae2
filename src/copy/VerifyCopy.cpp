#include "copy/VerifyCopy.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "copy/KeptTree.h"
#include "copy/ProjectFileLines.h"
#include "copy/TreeLayout.h"
#include "ide/CompanionReferences.h"
#include "ide/ComponentKinds.h"
#include "project/cVBP.h"
#include "runtime/CodedLine.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The lines of a component after its header (the form's property block and the Attribute
// lines): the code, line ends aside.
std::vector<std::string_view> CodeLines(std::string_view bytes) {
  std::vector<std::string_view> code;
  bool inAttributes = false;
  bool inCode = false;
  for (const std::string_view line : LinesWithEnds(bytes)) {
    const std::string_view text = WithoutEnd(line);
    const bool attribute = text.starts_with("Attribute ");
    inAttributes = inAttributes || attribute;
    inCode = inCode || (inAttributes && !attribute);
    if (inCode) code.push_back(text);
  }
  return code;
}

// The line with its companion references cut out, and the names they held.
std::string OutsideReferences(std::string_view line, std::vector<std::string>& names) {
  std::string outside;
  size_t from = 0;
  for (const ide::CompanionReference& reference : ide::FindCompanionReferences(line)) {
    outside.append(line.substr(from, reference.start - from)).append("\"\"");
    names.emplace_back(line.substr(reference.start, reference.length));
    from = reference.start + reference.length;
  }
  return outside.append(line.substr(from));
}

bool Exists(const std::string& path) {
  try {
    return (Files().Attributes(path) & fileattr::kDirectory) == 0;
  } catch (const VbError&) {
    return false;
  }
}

class Verifier {
 public:
  Verifier(const std::string& projectFile, const std::string& copyDirectory,
           const std::string& root, const VerifyOptions& options)
      : projectFile_(projectFile),
        sourceDirectory_(DirectoryOf(projectFile)),
        copyDirectory_(ResolvePath(copyDirectory, "")),
        options_(options) {
    if (!root.empty()) placer_.emplace(root);
    copiedFile_ = PlaceOf(projectFile_);
  }

  std::vector<std::string> Run() {
    const std::optional<std::string> source = Read(projectFile_, "The source project file");
    const std::optional<std::string> copied = Read(copiedFile_, "The copied project file");
    if (!source || !copied) return differences_;
    const ProjectLines sourceLines = ReadProjectLines(*source);
    const ProjectLines copiedLines = ReadProjectLines(*copied);
    if (!options_.ideSaved && sourceLines.settings != copiedLines.settings) {
      Differ(
          "The copied project file's settings differ from the source's (lines other than "
          "components and Path32).");
    }
    CompareComponentLines(Expected(sourceLines.components), copiedLines.components);
    return differences_;
  }

 private:
  // Where a source file's copy is sought: by its name in the copy directory, or at its place
  // below the kept tree's root.
  std::string PlaceOf(const std::string& sourceFile) {
    if (!placer_) return JoinPath(copyDirectory_, FileNameOf(sourceFile));
    const std::string relative = placer_->RelativeOf(sourceFile);
    return relative.empty() ? std::string() : JoinPath(copyDirectory_, relative);
  }

  void Differ(std::string text) { differences_.push_back(ShownControls(text)); }
  std::string Shown(const std::string& path) const {
    return options_.shownPath ? options_.shownPath(path) : path;
  }

  std::optional<std::string> Read(const std::string& path, std::string_view what) {
    try {
      return Files().ReadBytes(path);
    } catch (const VbError& error) {
      Differ(std::string(what) + " " + Shown(path) + " cannot be read: " + error.Description() +
             ".");
      return std::nullopt;
    }
  }

  // The source's component lines a faithful copy carries: all of them, or with --skip-missing-docs
  // all but the related documents that are not there.
  std::vector<ComponentLine> Expected(const std::vector<ComponentLine>& source) const {
    std::vector<ComponentLine> expected;
    for (const ComponentLine& line : source) {
      const bool missingDocument = line.kind->type == ide::component::kRelatedDocument &&
                                   !Exists(ResolvePath(sourceDirectory_, line.path));
      if (!(options_.skipMissingDocs && missingDocument)) expected.push_back(line);
    }
    return expected;
  }

  void CompareComponentLines(const std::vector<ComponentLine>& source,
                             const std::vector<ComponentLine>& copied) {
    for (size_t at = 0; at < std::max(source.size(), copied.size()); ++at) {
      if (at >= copied.size()) {
        Differ("The copied project file lacks a line for " + source[at].text + ".");
      } else if (at >= source.size()) {
        Differ("The copied project file has a line the source lacks: " + copied[at].text + ".");
      } else if (source[at].kind->key != copied[at].kind->key ||
                 source[at].name != copied[at].name) {
        Differ("The copied project file has " + copied[at].text + " where the source has " +
               source[at].text + ".");
      } else {
        CompareComponent(source[at], copied[at]);
      }
    }
  }

  bool InCopyDirectory(const std::string& path) const {
    return placer_ ? TreeLayout::IsWithin(path, copyDirectory_)
                   : EqualNoCase(DirectoryOf(path), copyDirectory_);
  }

  void CompareComponent(const ComponentLine& sourceLine, const ComponentLine& copiedLine) {
    const std::string sourcePath = ResolvePath(sourceDirectory_, sourceLine.path);
    const std::string copiedPath = ResolvePath(DirectoryOf(copiedFile_), copiedLine.path);
    if (!InCopyDirectory(copiedPath)) {
      Differ("The copied project file's " + copiedLine.text + " lies outside the copy directory (" +
             Shown(copiedPath) + ").");
      return;
    }
    // A kept tree keeps each file's folder; only the name plan may give it another name there.
    if (const std::string place = placer_ ? PlaceOf(sourcePath) : std::string();
        !place.empty() && !EqualNoCase(DirectoryOf(copiedPath), DirectoryOf(place))) {
      Differ("The copy's file " + Shown(copiedPath) + " is not in the folder of its place " +
             Shown(place) + ".");
    }
    const std::optional<std::string> copied = Read(copiedPath, "The copy's file");
    const std::optional<std::string> source = Read(sourcePath, "The source file");
    if (!copied || !source) return;
    const int32_t type = sourceLine.kind->type;
    const bool savedByTheIde =
        type != ide::component::kRelatedDocument && type != ide::component::kResFile;
    if (options_.ideSaved && savedByTheIde) {
      CompareCode(*source, *copied, copiedPath);
    } else if (sourceLine.kind->namedByFile) {
      CompareWithCompanions(*source, *copied, sourcePath, copiedPath);
    } else if (*source != *copied) {
      Differ(Shown(copiedPath) + " differs from its source " + Shown(sourcePath) + ".");
    }
    if (type == ide::component::kActiveXDesigner) CompareDesignerCache(sourcePath, copiedPath);
  }

  // A designer's cache lies beside it under its name, unnamed by any line: it goes with the
  // designer when there is one.
  void CompareDesignerCache(const std::string& sourcePath, const std::string& copiedPath) {
    const auto cacheOf = [](const std::string& path) {
      return JoinPath(DirectoryOf(path), BaseNameOf(FileNameOf(path)) + ".dca");
    };
    if (!Exists(cacheOf(sourcePath))) return;
    CompareCompanion(options_.ideSaved ? std::nullopt : std::optional(cacheOf(sourcePath)),
                     cacheOf(copiedPath));
  }

  void CompareCode(std::string_view source, std::string_view copied,
                   const std::string& copiedPath) {
    if (CodeLines(source) != CodeLines(copied)) {
      Differ("The code of " + Shown(copiedPath) + " differs from its source's.");
    }
    for (const std::string_view line : LinesWithEnds(copied)) {
      const std::string raw(WithoutEnd(line));
      std::string decoded;
      const std::string_view text = DecodedText(raw, decoded);
      if (ide::IsNameLine(text)) break;
      std::vector<std::string> names;
      OutsideReferences(text, names);
      for (const std::string& name : names) {
        CompareCompanion(std::nullopt, ResolvePath(DirectoryOf(copiedPath), name));
      }
    }
  }

  // A component file that names companions: alike line for line, apart from the names its
  // companion references hold, and each companion alike in turn.
  void CompareWithCompanions(std::string_view source, std::string_view copied,
                             const std::string& sourcePath, const std::string& copiedPath) {
    const std::vector<std::string_view> sourceLines = LinesWithEnds(source);
    const std::vector<std::string_view> copiedLines = LinesWithEnds(copied);
    if (sourceLines.size() != copiedLines.size()) {
      Differ(Shown(copiedPath) + " has " + std::to_string(copiedLines.size()) +
             " lines, its source " + Shown(sourcePath) + " " + std::to_string(sourceLines.size()) +
             ".");
      return;
    }
    bool inHeader = true;
    for (size_t at = 0; at < sourceLines.size(); ++at) {
      const std::string sourceRaw(sourceLines[at]);
      const std::string copiedRaw(copiedLines[at]);
      std::string sourceDecoded;
      std::string copiedDecoded;
      const std::string_view sourceText = DecodedText(sourceRaw, sourceDecoded);
      const std::string_view copiedText = DecodedText(copiedRaw, copiedDecoded);
      inHeader = inHeader && !ide::IsNameLine(sourceText);
      std::vector<std::string> sourceNames;
      std::vector<std::string> copiedNames;
      // Only the header's references are the IDE's to rename; the code is the user's.
      const bool alike = inHeader ? OutsideReferences(sourceText, sourceNames) ==
                                        OutsideReferences(copiedText, copiedNames)
                                  : sourceRaw == copiedRaw;
      if (!alike) {
        Differ(Shown(copiedPath) + " differs from its source " + Shown(sourcePath) + " at line " +
               std::to_string(at + 1) + ".");
        return;
      }
      for (size_t each = 0; each < sourceNames.size(); ++each) {
        CompareCompanion(ResolvePath(DirectoryOf(sourcePath), sourceNames[each]),
                         ResolvePath(DirectoryOf(copiedPath), copiedNames[each]));
      }
    }
  }

  // A companion of the copy: in the copy directory, there, and (unless the IDE saved it, when
  // sourcePath is nothing) byte for byte its source. Each is looked at once.
  void CompareCompanion(const std::optional<std::string>& sourcePath,
                        const std::string& copiedPath) {
    if (!companionsSeen_.insert(copiedPath).second) return;
    if (!InCopyDirectory(copiedPath)) {
      Differ("The companion " + Shown(copiedPath) + " lies outside the copy directory.");
      return;
    }
    const std::optional<std::string> copied = Read(copiedPath, "The copy's companion");
    if (!copied || !sourcePath) return;
    const std::optional<std::string> source = Read(*sourcePath, "The source companion");
    if (source && *source != *copied) {
      Differ("The companion " + Shown(copiedPath) + " differs from its source " +
             Shown(*sourcePath) + ".");
    }
  }

  const std::string projectFile_;
  const std::string sourceDirectory_;
  const std::string copyDirectory_;
  const VerifyOptions options_;
  std::optional<TreeLayout::Placer> placer_;
  std::string copiedFile_;
  NoCaseSet companionsSeen_;
  std::vector<std::string> differences_;
};

}  // namespace

std::vector<std::string> VerifyCopy(const std::string& projectFile,
                                    const std::string& copyDirectory,
                                    const VerifyOptions& options) {
  if (!options.keepTree) return Verifier(projectFile, copyDirectory, {}, options).Run();
  TreeLayout::Layout tree;
  try {
    tree = LayOutTree({projectFile}, {}, copyDirectory, options.skipMissingDocs, options.shownPath);
  } catch (const VbError& error) {
    const std::string shown = options.shownPath ? options.shownPath(projectFile) : projectFile;
    return {"The source project file " + shown + " cannot be read: " + error.Description() + "."};
  }
  if (!tree.refusal.empty()) return {tree.refusal};
  return Verifier(projectFile, copyDirectory, tree.root, options).Run();
}

std::vector<std::string> VerifyTreeCopy(const std::string& projectFile,
                                        const std::string& copyDirectory, const std::string& root,
                                        const VerifyOptions& options) {
  return Verifier(projectFile, copyDirectory, root, options).Run();
}

}  // namespace zarvelin::copy
