#include "support/mMain.h"

#include "platform/Platform.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::mMain {

std::string GetFilePath(const std::string& sPath) {
  std::string result;
  Trap("mMain", "GetFilePath", [&](Erl& erl) {
    erl = 10;
    for (size_t i = sPath.size(); i > 0; --i) {
      const char c = sPath[i - 1];
      if (c == ':') {
        result = sPath.substr(0, i);
        return;
      }
      if (c == '\\') {
        result = sPath.substr(0, i - 1);
        return;
      }
    }
  });
  return result;
}

bool DirectoryExists(const std::string& sPath) {
  try {
    return (Files().Attributes(sPath) & fileattr::kDirectory) != 0;
  } catch (...) {
    // A path that cannot be read (missing, malformed, drive not ready) is simply no directory.
    return false;
  }
}

bool IsWritableDrive(const std::string& sPath) {
  const std::string root = sPath.substr(0, 2) + "\\";
  return Sys().DriveType(root) != drive::kCdRom;
}

}  // namespace zarvelin::mMain
