#include "host/SystemClipboard.h"

#include <cstdlib>

#include "host/Subprocess.h"

namespace zarvelin::host {
namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

void MirrorToSystemClipboard(std::string_view text) {
  if (IsSet("WAYLAND_DISPLAY") && FindProgram("wl-copy")) {
    RunWithInput({"wl-copy"}, text);
  } else if (IsSet("DISPLAY") && FindProgram("xclip")) {
    RunWithInput({"xclip", "-selection", "clipboard"}, text);
  }
}

}  // namespace zarvelin::host
