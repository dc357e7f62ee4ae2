#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/Strings.h"

// How the IDE names the binary companions of a component it saves as Base.ext: after the saved
// file, beside it, each with its own extension (Base.frx). A second companion of one extension,
// or one whose extension is the component's own (a form naming "x.frm":0000), cannot take that
// name and gets Base_2.frx, Base_3.frx ... A copy plans these names before the IDE writes them.
namespace zarvelin::ide {

// The names for the companions of extensions (each distinct companion once, in the order the
// component refers to them).
inline std::vector<std::string> CompanionFileNames(std::string_view base,
                                                   std::string_view componentExtension,
                                                   const std::vector<std::string>& extensions) {
  std::vector<std::string> names;
  names.reserve(extensions.size());
  for (size_t index = 0; index < extensions.size(); ++index) {
    const std::string& extension = extensions[index];
    int taken = EqualNoCase(extension, componentExtension) ? 1 : 0;
    for (size_t earlier = 0; earlier < index; ++earlier) {
      if (EqualNoCase(extensions[earlier], extension)) ++taken;
    }
    const std::string suffix = taken == 0 ? "" : "_" + std::to_string(taken + 1);
    names.push_back(std::string(base) + suffix + "." + extension);
  }
  return names;
}

}  // namespace zarvelin::ide
