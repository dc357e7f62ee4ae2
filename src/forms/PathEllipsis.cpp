#include "forms/PathEllipsis.h"

namespace zarvelin::forms {

std::string PathEllipsis(std::string_view path, double width, const TextMeasure& measure) {
  if (measure(path) <= width) return std::string(path);
  const size_t lastBackslash = path.rfind('\\');
  const std::string_view fileName =
      lastBackslash == std::string_view::npos ? path : path.substr(lastBackslash);
  std::string_view head = path.substr(0, path.size() - fileName.size());
  std::string shortened;
  do {
    shortened = std::string(head) + "..." + std::string(fileName);
    if (head.empty()) break;
    // One whole character at a time: a UTF-8 sequence is never split.
    while (head.size() > 1 && (static_cast<unsigned char>(head.back()) & 0xC0) == 0x80) {
      head.remove_suffix(1);
    }
    head.remove_suffix(1);
  } while (measure(shortened) > width);
  return shortened;
}

}  // namespace zarvelin::forms
