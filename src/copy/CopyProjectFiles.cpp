#include "copy/CopyProjectFiles.h"

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyTexts.h"
#include "copy/FileExists.h"
#include "copy/SaveFiles.h"
#include "ide/ComponentKinds.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

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

}  // namespace

bool CopyProjectFiles(ide::VBProject& project, const std::string& sCopyDirectory,
                      const NamePlan& plan, CopyRoad& road) {
  bool copied = false;
  std::string sFileName;
  Trap(
      kModule, "CopyProjectFiles",
      [&](Erl& erl) {
        erl = 10;
        ide::VBComponents& components = project.Components();
        const int32_t count = components.Count();
        road.observer.PassStarting(count);

        erl = 20;
        if (count <= 0) {
          Sys().SetMousePointer(pointer::kDefault);
          road.observer.MsgBox(
              "There are no components in: " + std::string(kCrLf) + project.FileName(),
              "Copy Project Files", mb::kExclamation);
          road.StoppedAt(CopyStep::Components, 0, {}, "There are no components.");
          Sys().SetMousePointer(pointer::kDefault);
          return;
        }
        Sys().SetMousePointer(pointer::kHourglass);

        const std::vector<std::shared_ptr<ide::VBComponent>> all = components.Enumerate();
        const std::vector<PlannedComponent>& planned = plan.Components();
        bool bSuccess = false;
        for (size_t index = 0; index < all.size() && index < planned.size(); ++index) {
          const std::shared_ptr<ide::VBComponent>& component = all[index];
          const PlannedComponent& place = planned[index];
          erl = 30;
          bSuccess = false;
          bool bFileCopy = false;
          sFileName = place.name;

          erl = 40;
          if (sFileName.empty()) {
            road.observer.MsgBox("You Have Not Saved " + component->Name() + std::string(kCrLf) +
                                     "You must save all components before copying.",
                                 "Copy Project Files", mb::kExclamation);
            road.StoppedAt(CopyStep::Components, 0, place.sourceFile,
                           "You Have Not Saved " + component->Name());
          } else {
            erl = 50;
            const int32_t type = component->Type();
            const std::string sTarget = JoinPath(sCopyDirectory, sFileName);
            switch (ActionFor(type)) {
              case Action::SaveThroughIde:
                erl = 60;
                bSuccess = place.inPlace || component->SaveAs(sTarget);
                break;
              case Action::CopyAsFile:
                erl = 70;
                bFileCopy = true;
                if (place.inPlace) {
                  bSuccess = true;
                  break;
                }
                if (type == ide::component::kRelatedDocument && road.request.skipMissingDocs &&
                    !FileExists(place.sourceFile)) {
                  // Left out of the copied project file, and said so.
                  erl = 75;
                  components.Remove(*component);
                  road.result.skipped.push_back(place.sourceFile);
                  bSuccess = true;
                  break;
                }
                bSuccess = SaveRelatedFile(place.sourceFile, sCopyDirectory, sFileName, road);
                if (bSuccess) {
                  erl = 80;
                  components.Remove(*component);
                  components.AddFile(sTarget, type == ide::component::kRelatedDocument);
                }
                break;
              case Action::Unknown:
                erl = 90;
                Sys().SetMousePointer(pointer::kDefault);
                road.observer.MsgBox(component->Name() + " Has Type " + std::to_string(type),
                                     "Copy Project Error", mb::kExclamation);
                road.StoppedAt(CopyStep::Components, 0, place.sourceFile,
                               component->Name() + " Has Type " + std::to_string(type));
                Sys().SetMousePointer(pointer::kHourglass);
                break;
            }
          }

          erl = 100;
          if (!bSuccess) {
            if (!bFileCopy && !sFileName.empty()) {
              road.observer.MsgBox("Error Saving VB Component File: " + std::string(kCrLf) +
                                       JoinPath(sCopyDirectory, sFileName) + std::string(kCrLf) +
                                       std::string(kCrLf) + "The copy operation is halted!",
                                   "Copy Project Files", mb::kExclamation);
              road.StoppedAt(CopyStep::Components, 0, JoinPath(sCopyDirectory, sFileName),
                             "Error Saving VB Component File");
            }
            break;
          }
          road.observer.ComponentCopied();
          if (road.AskedToStop()) {
            bSuccess = false;
            break;
          }
        }

        erl = 110;
        copied = bSuccess;
        Sys().SetMousePointer(pointer::kDefault);
      },
      [&](const VbError& error, int16_t) {
        const std::string target = JoinPath(sCopyDirectory, sFileName);
        road.StoppedAt(CopyStep::Components, error.Number(), target, error.Description());
        if (!vberr::IsFileOrDeviceError(error.Number())) return false;
        road.observer.MsgBox(
            "Error Copying File: " + std::string(kCrLf) + std::string(kCrLf) + target +
                std::string(kCrLf) + std::string(kCrLf) +
                "Error: " + std::to_string(error.Number()) + " " + error.Description() +
                std::string(kCrLf) + "Make sure the disk is not full or write protected" +
                std::string(kCrLf) + "and that the file is not currently in use or read-only.",
            "Copy Project Files Error", mb::kExclamation);
        return true;
      });
  return copied;
}

}  // namespace zarvelin::copy
