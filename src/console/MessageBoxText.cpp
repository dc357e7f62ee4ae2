#include "console/MessageBoxText.h"

#include "platform/Platform.h"
#include "runtime/Strings.h"

namespace zarvelin::console {
namespace {

constexpr int32_t kButtonSet = 7;
constexpr int32_t kOkCancel = 1;
constexpr int32_t kAbortRetryIgnore = 2;
constexpr int32_t kYesNoCancel = 3;
constexpr int32_t kRetryCancel = 5;
constexpr int32_t kAnswerCancel = 2;
constexpr int32_t kAnswerAbort = 3;

const char* AnswerName(int32_t answer) {
  switch (answer) {
    case mb::kAnswerOk:
      return "OK";
    case kAnswerCancel:
      return "Cancel";
    case kAnswerAbort:
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
  switch (style & kButtonSet) {
    case kAbortRetryIgnore:
      return kAnswerAbort;
    case kYesNoCancel:
    case mb::kYesNo:
      return yesNoAnswer;
    case kRetryCancel:
      return kAnswerCancel;
    case kOkCancel:
    default:
      return mb::kAnswerOk;
  }
}

std::string MessageBoxText(std::string_view title, std::string_view text, int32_t style,
                           int32_t answer) {
  std::string shown =
      "[" + ShownControls(ConsoleLines(title)) + "]\n" + ShownControls(ConsoleLines(text)) + "\n";
  if ((style & kButtonSet) != mb::kOkOnly)
    shown += std::string("(answered ") + AnswerName(answer) + ")\n";
  return shown;
}

}  // namespace zarvelin::console
