#include "copy/GetFileName.h"

namespace zarvelin::copy {

std::string GetFileName(const std::string& sPath) {
  const size_t last = sPath.rfind('\\');
  if (last == std::string::npos) return sPath;
  return sPath.substr(last + 1);
}

}  // namespace zarvelin::copy
