#include "copy/IsLink.h"

#include "runtime/Runtime.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {

bool IsLink(const std::string& path) {
  try {
    return Files().LinkTarget(path) != path;
  } catch (const VbError&) {
    return true;
  }
}

}  // namespace zarvelin::copy
