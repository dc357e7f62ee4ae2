#include "copy/CopyProjectFiles.h"

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyDialog.h"
#include "copy/GetFileName.h"
#include "copy/SaveFiles.h"
#include "copy/UpdateProgress.h"
#include "ide/CompanionReferences.h"
#include "ide/ComponentKinds.h"
#include "platform/Platform.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/StringKeys.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"
#include "support/mMain.h"

namespace zarvelin::copy {
namespace {

enum class Action { SaveThroughIde, CopyAsFile, Unknown };

Action ActionFor(int32_t type) {
  switch (type) {
    case ide::component::kStdModule:
    case ide::component::kClassModule:
    case ide::component::kMSForm:
    case ide::component::kVBForm:
    case ide::component::kVBMDIForm:
    case ide::component::kPropPage:
    case ide::component::kUserControl:
    case ide::component::kDocObject:
    case ide::component::kActiveXDesigner:
      return Action::SaveThroughIde;
    case ide::component::kResFile:
    case ide::component::kRelatedDocument:
      return Action::CopyAsFile;
    default:
      return Action::Unknown;
  }
}

std::string Target(const std::string& sCopyDirectory, const std::string& sFileName) {
  return JoinPath(sCopyDirectory, sFileName);
}

// A component whose file already is its place in the copy directory (a component kept in the copy
// directory itself) has nothing to be written: saving or copying it there would write the source.
// Only the very path counts: another name of the same file (a link) is an entry of its own. Which
// source folders are the copy directory is asked once per folder, with the backslash that joins
// them to file names: a bare drive ("D:") is its root there, not the drive's working directory.
class InPlace {
 public:
  explicit InPlace(const std::string& sCopyDirectory) : copyDirectory_(sCopyDirectory) {}

  bool operator()(const std::string& sSourceFile, const std::string& sTarget) {
    if (EqualNoCase(sSourceFile, sTarget)) return true;
    if (!EqualNoCase(GetFileName(sSourceFile), GetFileName(sTarget))) return false;
    const std::string folder = mMain::GetFilePath(sSourceFile);
    const auto known = isCopyDirectory_.find(folder);
    if (known != isCopyDirectory_.end()) return known->second;
    return isCopyDirectory_[folder] = Files().SameFile(folder + "\\", copyDirectory_ + "\\");
  }

 private:
  std::string copyDirectory_;
  NoCaseMap<bool> isCopyDirectory_;
};

// The files beside a component that its property block names as its binary data ("b.frx":0000).
// A component kept where it is keeps them under those names, whatever the IDE would call them.
std::vector<std::string> CompanionsReferredBy(int32_t type, const std::string& sComponentFile) {
  const ide::ComponentKind* kind = ide::KindOfType(type);
  if (kind == nullptr || kind->companion.empty()) return {};
  std::vector<std::string> names;
  const auto reader = Files().OpenText(sComponentFile);
  while (const auto bytes = reader->ReadLine()) {
    std::string decoded;
    const std::string_view line = DecodedText(*bytes, decoded);
    if (ide::IsNameLine(line)) break;
    for (const ide::CompanionReference& reference : ide::FindCompanionReferences(line)) {
      const std::string_view name = line.substr(reference.start, reference.length);
      if (name.find('\\') == std::string_view::npos) names.emplace_back(name);
    }
  }
  return names;
}

// The binary companions the IDE writes beside a component saved as Base.ext (Base.frx ...).
std::vector<std::string> CompanionNames(int32_t type, const std::string& sFileName) {
  const ide::ComponentKind* kind = ide::KindOfType(type);
  if (kind == nullptr || kind->companion.empty()) return {};
  const std::string base = sFileName.substr(0, sFileName.rfind('.'));
  std::vector<std::string> names{base + "." + std::string(kind->companion)};
  if (type == ide::component::kActiveXDesigner) names.push_back(base + ".dca");
  return names;
}

// The copy directory is flat: every component, its companions, every document and the project
// file need a name of their own there, letter case aside. A name already taken makes a free one
// from the component's own: fMain.frm, then fMain_2.frm ...
class NamePlan {
 public:
  explicit NamePlan(const std::string& sProjectFileName) { Take(sProjectFileName); }

  // Takes the name itself when it is free, and the names of the companions it already has beside
  // it (referredTo); false when it is not free.
  bool Keep(int32_t type, const std::string& sFileName,
            const std::vector<std::string>& referredTo) {
    if (!Free(type, sFileName)) return false;
    TakeWithCompanions(type, sFileName);
    for (const std::string& companion : referredTo) Take(companion);
    return true;
  }

  std::string Place(int32_t type, const std::string& sFileName) {
    const size_t dot = sFileName.rfind('.');
    const std::string base = sFileName.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : sFileName.substr(dot);
    std::string name = sFileName;
    for (int32_t n = 2; !Free(type, name); ++n) name = base + "_" + std::to_string(n) + extension;
    TakeWithCompanions(type, name);
    return name;
  }

 private:
  bool Free(int32_t type, const std::string& sFileName) const {
    if (taken_.contains(sFileName)) return false;
    for (const std::string& companion : CompanionNames(type, sFileName)) {
      if (taken_.contains(companion)) return false;
    }
    return true;
  }
  void Take(const std::string& sFileName) { taken_.insert(sFileName); }
  void TakeWithCompanions(int32_t type, const std::string& sFileName) {
    Take(sFileName);
    for (const std::string& companion : CompanionNames(type, sFileName)) Take(companion);
  }

  NoCaseSet taken_;
};

}  // namespace

bool CopyProjectFiles(ide::VBProject& project, const std::string& sCopyDirectory,
                      forms::Control& picModule, std::vector<std::string>* renamed) {
  bool copied = false;
  std::string sFileName;
  Trap(
      kModule, "CopyProjectFiles",
      [&](Erl& erl) {
        erl = 10;
        int32_t lCounter = 0;
        int32_t lStep = 1;
        ide::VBComponents& components = project.Components();
        picModule.Cls();
        picModule.SetScaleWidth(components.Count());

        erl = 20;
        if (picModule.ScaleWidth() <= 0) {
          Sys().SetMousePointer(pointer::kDefault);
          Sys().MsgBox("There are no components in: " + std::string(kCrLf) + project.FileName(),
                       "Copy Project Files", mb::kExclamation);
          Sys().SetMousePointer(pointer::kDefault);
          return;
        }
        Sys().SetMousePointer(pointer::kHourglass);

        // Every target name is settled before anything is written.
        const std::vector<std::shared_ptr<ide::VBComponent>> all = components.Enumerate();
        // A component kept in the copy directory itself stays there under its own name, so the
        // others are placed around its files rather than onto them: they are sources still to be
        // read.
        InPlace AlreadyInPlace(sCopyDirectory);
        NamePlan plan(GetFileName(project.FileName()));
        std::vector<bool> kept;
        for (const std::shared_ptr<ide::VBComponent>& component : all) {
          const std::string sSourceFile = component->FileNames(1);
          const std::string sOwnName = GetFileName(sSourceFile);
          kept.push_back(!sOwnName.empty() &&
                         AlreadyInPlace(sSourceFile, Target(sCopyDirectory, sOwnName)) &&
                         plan.Keep(component->Type(), sOwnName,
                                   CompanionsReferredBy(component->Type(), sSourceFile)));
        }
        std::vector<std::string> planned;
        for (size_t index = 0; index < all.size(); ++index) {
          const std::string sSourceFile = all[index]->FileNames(1);
          const std::string sOwnName = GetFileName(sSourceFile);
          const bool placed = sOwnName.empty() || kept[index];
          planned.push_back(placed ? sOwnName : plan.Place(all[index]->Type(), sOwnName));
          if (renamed != nullptr && planned.back() != sOwnName) {
            renamed->push_back(sSourceFile + " -> " + planned.back());
          }
        }

        bool bSuccess = false;
        for (size_t index = 0; index < all.size(); ++index) {
          const std::shared_ptr<ide::VBComponent>& component = all[index];
          erl = 30;
          bSuccess = false;
          bool bFileCopy = false;
          const std::string sSourceFile = component->FileNames(1);
          sFileName = planned[index];

          erl = 40;
          if (sFileName.empty()) {
            Sys().MsgBox("You Have Not Saved " + component->Name() + std::string(kCrLf) +
                             "You must save all components before copying.",
                         "Copy Project Files", mb::kExclamation);
          } else {
            erl = 50;
            const int32_t type = component->Type();
            const std::string sTarget = Target(sCopyDirectory, sFileName);
            switch (ActionFor(type)) {
              case Action::SaveThroughIde:
                erl = 60;
                bSuccess = AlreadyInPlace(sSourceFile, sTarget) || component->SaveAs(sTarget);
                break;
              case Action::CopyAsFile:
                erl = 70;
                bFileCopy = true;
                if (AlreadyInPlace(sSourceFile, sTarget)) {
                  bSuccess = true;
                  break;
                }
                bSuccess = SaveRelatedFile(sSourceFile, sCopyDirectory, sFileName);
                if (bSuccess) {
                  erl = 80;
                  components.Remove(*component);
                  components.AddFile(sTarget, type == ide::component::kRelatedDocument);
                }
                break;
              case Action::Unknown:
                erl = 90;
                Sys().SetMousePointer(pointer::kDefault);
                Sys().MsgBox(component->Name() + " Has Type " + std::to_string(type),
                             "Copy Project Error", mb::kExclamation);
                Sys().SetMousePointer(pointer::kHourglass);
                break;
            }
          }

          erl = 100;
          if (!bSuccess) {
            if (!bFileCopy && !sFileName.empty()) {
              Sys().MsgBox("Error Saving VB Component File: " + std::string(kCrLf) +
                               Target(sCopyDirectory, sFileName) + std::string(kCrLf) +
                               std::string(kCrLf) + "The copy operation is halted!",
                           "Copy Project Files", mb::kExclamation);
            }
            break;
          }
          UpdateProgress(lStep, lCounter, picModule);
        }

        erl = 110;
        copied = bSuccess;
        Sys().SetMousePointer(pointer::kDefault);
      },
      [&](const VbError& error, int16_t) {
        if (!vberr::IsFileOrDeviceError(error.Number())) return false;
        Sys().MsgBox("Error Copying File: " + std::string(kCrLf) + std::string(kCrLf) +
                         Target(sCopyDirectory, sFileName) + std::string(kCrLf) +
                         std::string(kCrLf) + "Error: " + std::to_string(error.Number()) + " " +
                         error.Description() + std::string(kCrLf) +
                         "Make sure the disk is not full or write protected" + std::string(kCrLf) +
                         "and that the file is not currently in use or read-only.",
                     "Copy Project Files Error", mb::kExclamation);
        return true;
      });
  return copied;
}

}  // namespace zarvelin::copy
