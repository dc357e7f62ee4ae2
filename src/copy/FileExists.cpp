#include "copy/FileExists.h"

#include "runtime/Runtime.h"
#include "runtime/VbError.h"

namespace zarvelin::copy {

bool FileExists(const std::string& path) {
  try {
    Files().Attributes(path);
    return true;
  } catch (const VbError&) {
    return false;
  }
}

}  // namespace zarvelin::copy
