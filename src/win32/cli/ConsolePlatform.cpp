#include "win32/cli/ConsolePlatform.h"

#include <string>

#include "console/MessageBoxText.h"

namespace zarvelin::win32 {

ConsolePlatform::ConsolePlatform(FileSystem& files, HMODULE resources, int32_t yesNoAnswer,
                                 std::FILE* messages)
    : Win32Platform(files, resources), yesNoAnswer_(yesNoAnswer), messages_(messages) {}

int32_t ConsolePlatform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  const int32_t answer = console::UnattendedAnswer(style, yesNoAnswer_);
  const std::string shown = console::MessageBoxText(title, text, style, answer);
  std::fwrite(shown.data(), 1, shown.size(), messages_);
  std::fflush(messages_);
  return answer;
}

}  // namespace zarvelin::win32
