#include "cli/HelpText.h"

#include <algorithm>
#include <sstream>

namespace zarvelin::cli {
namespace {

std::vector<std::string> Paragraphs(std::string_view text) {
  std::vector<std::string> paragraphs{{}};
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    if (line.find_first_not_of(' ') == std::string_view::npos) {
      if (!paragraphs.back().empty()) paragraphs.emplace_back();
    } else {
      if (!paragraphs.back().empty()) paragraphs.back() += ' ';
      paragraphs.back() += line;
    }
    at = end + 1;
  }
  if (paragraphs.back().empty() && paragraphs.size() > 1) paragraphs.pop_back();
  return paragraphs;
}

std::string WrapParagraph(const std::string& paragraph, size_t width) {
  std::istringstream words(paragraph);
  std::string wrapped;
  size_t column = 0;
  for (std::string word; words >> word;) {
    if (column > 0 && column + 1 + word.size() > width) {
      wrapped += '\n';
      column = 0;
    } else if (column > 0) {
      wrapped += ' ';
      ++column;
    }
    wrapped += word;
    column += word.size();
  }
  return wrapped;
}

// Edits (insert, delete, change, swap two neighbours) that turn one word into the other.
size_t Distance(std::string_view from, std::string_view to) {
  std::vector<std::vector<size_t>> cost(from.size() + 1, std::vector<size_t>(to.size() + 1));
  for (size_t i = 0; i <= from.size(); ++i) cost[i][0] = i;
  for (size_t j = 0; j <= to.size(); ++j) cost[0][j] = j;
  for (size_t i = 1; i <= from.size(); ++i) {
    for (size_t j = 1; j <= to.size(); ++j) {
      const size_t change = from[i - 1] == to[j - 1] ? 0 : 1;
      cost[i][j] = std::min({cost[i - 1][j] + 1, cost[i][j - 1] + 1, cost[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
        cost[i][j] = std::min(cost[i][j], cost[i - 2][j - 2] + 1);
    }
  }
  return cost[from.size()][to.size()];
}

}  // namespace

std::string Wrap(std::string_view text, size_t width) {
  std::string wrapped;
  for (const std::string& paragraph : Paragraphs(text)) {
    if (!wrapped.empty()) wrapped += "\n\n";
    wrapped += WrapParagraph(paragraph, width);
  }
  return wrapped;
}

std::optional<std::string> Closest(std::string_view typed,
                                   const std::vector<std::string>& candidates) {
  // Two edits in a word of three letters would make anything a suggestion.
  const size_t allowed = typed.size() <= 3 ? 1 : 2;
  std::optional<std::string> best;
  size_t bestDistance = allowed + 1;
  for (const std::string& candidate : candidates) {
    const bool begun = typed.size() >= 2 && candidate.starts_with(typed);
    const size_t distance = begun ? 1 : Distance(typed, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace zarvelin::cli
