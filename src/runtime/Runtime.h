#pragma once

#include "runtime/App.h"
#include "runtime/DateTime.h"
#include "runtime/FileSystem.h"
#include "runtime/Service.h"

namespace zarvelin {

// The run time's services as the portable code reaches them: files, the clock and the App facts.
inline FileSystem& Files() {
  return Service<FileSystem>::Get();
}
inline DateTime Now() {
  return Service<const Clock>::Get().Now();
}
inline const AppFacts& App() {
  return Service<const AppFacts>::Get();
}

}  // namespace zarvelin
