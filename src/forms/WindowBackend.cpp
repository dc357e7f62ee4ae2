#include "forms/WindowBackend.h"

#include "runtime/VbError.h"

namespace zarvelin::forms {
namespace {
WindowBackend* installed = nullptr;
}

WindowBackend& Windows() {
  if (installed == nullptr) throw VbError(vberr::kObjectVariableNotSet);
  return *installed;
}

void SetWindowBackend(WindowBackend* backend) {
  installed = backend;
}

WindowBackend* InstalledWindowBackend() {
  return installed;
}

bool HasWindowBackend() {
  return installed != nullptr;
}

}  // namespace zarvelin::forms
