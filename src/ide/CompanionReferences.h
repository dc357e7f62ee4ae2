#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// How a component file names its binary companions: in the property block before its name line,
// as "Name.frx":0000 or $"Name.frx":0000. The IDE renames them when it saves a component, and a
// copy must not give another file the name of one it leaves in place.
namespace zarvelin::ide {

// The word Attribute, VB_Name, an equals sign and the opening quote of the name.
inline constexpr std::string_view kNameLinePrefix = "Attribute VB_Name = \"";

// Whether line is the component's name line; the references that matter come before it.
inline bool IsNameLine(std::string_view line) {
  return line.starts_with(kNameLinePrefix);
}

// The companion references in one line: where each name starts and how long it is.
struct CompanionReference {
  size_t start;
  size_t length;
};

inline std::vector<CompanionReference> FindCompanionReferences(std::string_view line) {
  const auto isHexDigit = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  };
  std::vector<CompanionReference> references;
  size_t open = line.find('"');
  while (open != std::string_view::npos) {
    size_t close = line.find('"', open + 1);
    // A doubled quote is a quote inside the text, not its end.
    while (close != std::string_view::npos && close + 1 < line.size() && line[close + 1] == '"') {
      close = line.find('"', close + 2);
    }
    if (close == std::string_view::npos) break;
    const std::string_view name = line.substr(open + 1, close - open - 1);
    const bool followedByOffset =
        close + 2 < line.size() && line[close + 1] == ':' && isHexDigit(line[close + 2]);
    if (followedByOffset && name.find('.') != std::string_view::npos) {
      references.push_back({open + 1, name.size()});
    }
    open = line.find('"', close + 1);
  }
  return references;
}

}  // namespace zarvelin::ide
