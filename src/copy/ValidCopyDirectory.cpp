#include "copy/ValidCopyDirectory.h"

#include "copy/CopyTexts.h"
#include "platform/Platform.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "support/mMain.h"

namespace zarvelin::copy {
namespace {

constexpr std::string_view kHint =
    "Please Enter a Valid Directory Using the \"To:\" (Browse) Button.";

std::string WithHint(std::string_view text) {
  return std::string(text).append(kCrLf).append(kHint);
}

}  // namespace

void RefuseProjectDirectory() {
  Sys().MsgBox(WithHint("The copy directory and the project directory are the same."),
               "Cannot Copy to Project Directory", mb::kInformation);
}

bool ValidCopyDirectory(const std::string& sCopyDirectory, const std::string& sProjectDirectory) {
  bool valid = false;
  Trap(kModule, "ValidCopyDirectory", [&](Erl& erl) {
    erl = 10;
    if (Trim(sCopyDirectory).empty()) {
      Sys().MsgBox(kHint, "No Copy Directory", mb::kInformation);
      return;
    }
    erl = 20;
    if (EqualNoCase(sCopyDirectory, sProjectDirectory)) {
      RefuseProjectDirectory();
      return;
    }
    erl = 30;
    if (!mMain::DirectoryExists(sCopyDirectory)) {
      Sys().MsgBox(WithHint(sCopyDirectory + std::string(kCrLf) + "does not exist."),
                   "Invalid Copy Directory", mb::kInformation);
      return;
    }
    erl = 40;
    if (!mMain::IsWritableDrive(sCopyDirectory)) {
      Sys().MsgBox(WithHint(sCopyDirectory + std::string(kCrLf) + "is not a writable directory."),
                   "Cannot Write to Directory", mb::kInformation);
      return;
    }
    valid = true;
  });
  return valid;
}

}  // namespace zarvelin::copy
