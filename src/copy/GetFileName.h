#pragma once

#include <string>

namespace zarvelin::copy {

// The part of a path after its last backslash: the whole path when it has none, "" when it ends
// in one.
std::string GetFileName(const std::string& sPath);

}  // namespace zarvelin::copy
