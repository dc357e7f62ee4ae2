#pragma once

#include <string>

namespace zarvelin::copy {

// Whether an entry stands at path; a path that cannot be asked about holds none.
bool FileExists(const std::string& path);

}  // namespace zarvelin::copy
