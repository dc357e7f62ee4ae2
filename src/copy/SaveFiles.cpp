#include "copy/SaveFiles.h"

#include "copy/CopyTexts.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The failure path both saves share: the failure is noted on the road; a file or device error
// gets the save's own box, whose text the save builds from the target, the error number and its
// description.
template <class Message>
std::function<bool(const VbError&, int16_t)> FileErrorBox(std::string_view procedure,
                                                          std::string title, CopyRoad& road,
                                                          CopyStep step, const std::string& target,
                                                          Message message) {
  return [procedure, title = std::move(title), &road, step, &target, message](const VbError& error,
                                                                              int16_t line) {
    road.StoppedAt(step, error.Number(), target, error.Description());
    if (!vberr::IsFileOrDeviceError(error.Number())) return false;
    try {
      road.observer.MsgBox(message(error), title, mb::kExclamation);
    } catch (...) {
      // The box itself failed: the failure still must not pass to the caller.
      ReportFailure(kModule, procedure, line, error.Number());
    }
    return true;
  };
}

std::string ErrorLine(const VbError& error) {
  return "Error: " + std::to_string(error.Number()) + " " + error.Description();
}

}  // namespace

bool SaveVBP(ide::VBProject& project, const std::string& copyDirectory, const std::string& fileName,
             CopyRoad& road) {
  const std::string target = JoinPath(copyDirectory, fileName);
  bool saved = false;
  Trap(
      kModule, "SaveVBP",
      [&](Erl& erl) {
        erl = 10;
        project.SaveAs(target);
        erl = 20;
        saved = true;
      },
      FileErrorBox("SaveVBP", "SaveVBP Error", road, CopyStep::ProjectFile, target,
                   [&](const VbError& error) {
                     return "Error Saving New VBP File: \r\n" + target + "\r\n" + ErrorLine(error);
                   }));
  return saved;
}

bool SaveRelatedFile(const std::string& sourceFile, const std::string& copyDirectory,
                     const std::string& fileName, CopyRoad& road) {
  const std::string target = JoinPath(copyDirectory, fileName);
  bool saved = false;
  Trap(
      kModule, "SaveRelatedFile",
      [&](Erl& erl) {
        erl = 10;
        Files().Copy(sourceFile, target);
        erl = 20;
        saved = true;
      },
      FileErrorBox("SaveRelatedFile", "SaveRelatedFile Error", road, CopyStep::Components, target,
                   [&](const VbError& error) {
                     return "Error Saving Related Document File: \r\n" + target + "\r\n" +
                            ErrorLine(error) + "\r\nThe copy operation is stopped!";
                   }));
  return saved;
}

}  // namespace zarvelin::copy
