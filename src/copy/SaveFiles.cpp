#include "copy/SaveFiles.h"

#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

namespace zarvelin::copy {
namespace {

constexpr std::string_view kModule = "frmCopyProject";

// The failure path both saves share: a file or device error gets the save's own box, whose text
// the save builds from the target, the error number and its description.
template <class Message>
std::function<bool(const VbError&, int16_t)> FileErrorBox(std::string_view procedure,
                                                          std::string title, Message message) {
  return [procedure, title = std::move(title), message](const VbError& error, int16_t line) {
    if (!vberr::IsFileOrDeviceError(error.Number())) return false;
    try {
      Sys().MsgBox(message(error), title, mb::kExclamation);
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

bool SaveVBP(ide::VBProject& project, const std::string& copyDirectory,
             const std::string& fileName) {
  const std::string target = copyDirectory + "\\" + fileName;
  bool saved = false;
  Trap(
      kModule, "SaveVBP",
      [&](Erl& erl) {
        erl = 10;
        project.SaveAs(target);
        erl = 20;
        saved = true;
      },
      FileErrorBox("SaveVBP", "SaveVBP Error", [&](const VbError& error) {
        return "Error Saving New VBP File: \r\n" + target + "\r\n" + ErrorLine(error);
      }));
  return saved;
}

bool SaveRelatedFile(const std::string& sourceFile, const std::string& copyDirectory,
                     const std::string& fileName) {
  const std::string target = copyDirectory + "\\" + fileName;
  bool saved = false;
  Trap(
      kModule, "SaveRelatedFile",
      [&](Erl& erl) {
        erl = 10;
        Rt().files->Copy(sourceFile, target);
        erl = 20;
        saved = true;
      },
      FileErrorBox("SaveRelatedFile", "SaveRelatedFile Error", [&](const VbError& error) {
        return "Error Saving Related Document File: \r\n" + target + "\r\n" + ErrorLine(error) +
               "\r\nThe copy operation is stopped!";
      }));
  return saved;
}

}  // namespace zarvelin::copy
