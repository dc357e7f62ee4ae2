#include "forms/TextLayout.h"

namespace zarvelin::forms {
namespace {

// The longest prefix of `text` (at least one character) whose width fits; widths grow with the
// prefix, so a binary search finds it.
size_t FittingLength(std::string_view text, double width, const TextMeasure& measure) {
  size_t fits = 1;
  size_t tooLong = text.size() + 1;
  while (tooLong - fits > 1) {
    const size_t middle = fits + (tooLong - fits) / 2;
    if (measure(text.substr(0, middle)) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return fits;
}

// Where the first displayed line of an over-wide paragraph ends: after the last word that fits,
// with the blanks that follow it; or, when not even the first word fits, after the characters
// that do.
size_t WrapPoint(std::string_view text, size_t fits) {
  for (size_t end = fits; end > 0; --end) {
    if (end < text.size() && text[end] == ' ' && text[end - 1] != ' ') {
      while (end < text.size() && text[end] == ' ') ++end;
      return end;
    }
  }
  return fits;
}

void AppendWrapped(std::string_view paragraph, double width, const TextMeasure& measure,
                   std::vector<std::string>& lines) {
  do {
    if (measure(paragraph) <= width) {
      lines.emplace_back(paragraph);
      return;
    }
    const size_t end = WrapPoint(paragraph, FittingLength(paragraph, width, measure));
    lines.emplace_back(paragraph.substr(0, end));
    paragraph.remove_prefix(end);
  } while (!paragraph.empty());
}

}  // namespace

std::vector<std::string_view> HardLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') continue;
    lines.emplace_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    start = at + 1;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> DisplayedLines(std::string_view text, double width,
                                        const TextMeasure& measure) {
  std::vector<std::string> lines;
  for (const std::string_view paragraph : HardLines(text)) {
    if (paragraph.empty()) {
      lines.emplace_back();
    } else {
      AppendWrapped(paragraph, width, measure, lines);
    }
  }
  return lines;
}

}  // namespace zarvelin::forms
