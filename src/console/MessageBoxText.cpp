#include "console/MessageBoxText.h"

#include "platform/Platform.h"
#include "runtime/Strings.h"

namespace zarvelin::console {
namespace {

const char* AnswerName(int32_t answer) {
  switch (answer) {
    case mb::kAnswerOk:
      return "OK";
    case mb::kAnswerCancel:
      return "Cancel";
    case mb::kAnswerAbort:
      return "Abort";
    case mb::kAnswerYes:
      return "Yes";
    default:
      return "No";
  }
}

}  // namespace

std::string ConsoleLines(std::string_view text) {
  std::string lines;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r') {
      lines += '\n';
      if (at + 1 < text.size() && text[at + 1] == '\n') ++at;
    } else {
      lines += text[at];
    }
  }
  return lines;
}

int32_t UnattendedAnswer(int32_t style, int32_t yesNoAnswer) {
  switch (style & mb::kButtonSet) {
    case mb::kAbortRetryIgnore:
      return mb::kAnswerAbort;
    case mb::kYesNoCancel:
    case mb::kYesNo:
      return yesNoAnswer;
    case mb::kRetryCancel:
      return mb::kAnswerCancel;
    case mb::kOkCancel:
    default:
      return mb::kAnswerOk;
  }
}

std::string MessageBoxText(std::string_view title, std::string_view text, int32_t style,
                           int32_t answer) {
  std::string shown =
      "[" + ShownControls(ConsoleLines(title)) + "]\n" + ShownControls(ConsoleLines(text)) + "\n";
  if ((style & mb::kButtonSet) != mb::kOkOnly)
    shown += std::string("(answered ") + AnswerName(answer) + ")\n";
  return shown;
}

}  // namespace zarvelin::console
