#pragma once

#include <string>
#include <vector>

namespace zarvelin::copy {

// The companions a component file names in its property block, each once by its path as
// written. A file that cannot be read names none: the IDE holds the component, and its save
// reports what is wrong. The IDE has read most files already, and what it found stands while
// the file is unchanged.
std::vector<std::string> CompanionReferencesIn(const std::string& file);

}  // namespace zarvelin::copy
