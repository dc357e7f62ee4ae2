#pragma once

#include <string>
#include <string_view>

namespace zarvelin::host {

// A host directory and a name in it, as one string made to its size: every path a copy touches
// is joined here.
inline std::string HostJoin(std::string_view directory, std::string_view name) {
  if (directory == "/") directory = {};
  std::string joined;
  joined.reserve(directory.size() + 1 + name.size());
  joined.append(directory).append(1, '/').append(name);
  return joined;
}

}  // namespace zarvelin::host
