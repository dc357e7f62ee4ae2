#pragma once

#include <cstdint>
#include <string>

#include "runtime/VbError.h"

namespace zarvelin::host {

// Whether a missing name was the file itself or a directory on the way to it.
enum class Missing { kFile, kDirectory };

// The run-time error number for an errno value: the one table of the host backend.
int32_t RunTimeNumber(int errnoValue, Missing missing = Missing::kFile);

// The failure of a host call on hostPath; a missing name is told apart (53 file, 76 directory)
// by whether the directory that should hold it exists.
VbError HostError(int errnoValue, const std::string& hostPath);

}  // namespace zarvelin::host
