#include "host/Wildcard.h"

#include "runtime/Strings.h"

namespace zarvelin::host {
namespace {

bool SameLetter(char a, char b) {
  return EqualNoCase(std::string_view(&a, 1), std::string_view(&b, 1));
}

// Greedy matching with one back-tracking point: the last "*" seen.
bool Matches(std::string_view pattern, std::string_view name) {
  size_t p = 0;
  size_t n = 0;
  size_t starAt = std::string_view::npos;
  size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starName = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  if (Matches(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return Matches(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace zarvelin::host
