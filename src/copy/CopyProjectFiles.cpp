#include "copy/CopyProjectFiles.h"

#include <memory>
#include <set>
#include <string>

#include "copy/CopyDialog.h"
#include "copy/GetFileName.h"
#include "copy/SaveFiles.h"
#include "copy/UpdateProgress.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

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
  return sCopyDirectory + "\\" + sFileName;
}

// A component whose file already is its place in the copy directory (a copy directory that is
// the component's own folder in another spelling) has nothing to be written: saving or copying
// it there would write the source itself.
bool AlreadyInPlace(const std::string& sSourceFile, const std::string& sTarget) {
  return Rt().files->SameFile(sSourceFile, sTarget);
}

}  // namespace

bool CopyProjectFiles(ide::VBProject& project, const std::string& sCopyDirectory,
                      forms::Control& picModule) {
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

        bool bSuccess = false;
        std::set<std::string> taken;
        for (const std::shared_ptr<ide::VBComponent>& component : components.Enumerate()) {
          erl = 30;
          bSuccess = false;
          bool bFileCopy = false;
          const std::string sSourceFile = component->FileNames(1);
          sFileName = GetFileName(sSourceFile);

          erl = 40;
          // Two components of one file name from different folders would meet in one file of the
          // flat copy directory, the second overwriting the first: the second is not saved, and
          // the pass halts on it.
          const bool bNewName = taken.insert(LowerAscii(sFileName)).second;
          if (sFileName.empty()) {
            Sys().MsgBox("You Have Not Saved " + component->Name() + std::string(kCrLf) +
                             "You must save all components before copying.",
                         "Copy Project Files", mb::kExclamation);
          } else if (bNewName) {
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
