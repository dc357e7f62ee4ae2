#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "copy/CopyObserver.h"
#include "copy/CopyRequest.h"
#include "copy/CopyResult.h"

namespace zarvelin::copy {

// What the procedures of one copy share: the request, the observer and what the copy did so far.
struct CopyRoad {
  const CopyRequest& request;
  CopyObserver& observer;
  CopyResult& result;
  bool stopped = false;

  // Where the copy stopped: the first step that failed is the one the result names.
  void StoppedAt(CopyStep step, int32_t number, std::string file, std::string reason = {}) {
    if (result.step != CopyStep::None) return;
    result.step = step;
    result.errorNumber = number;
    result.file = std::move(file);
    result.reason = std::move(reason);
  }
  // Yields to the message loop; false when the observer asked the copy to stop.
  bool DoEvents() {
    observer.DoEvents();
    return !AskedToStop();
  }
  bool AskedToStop() {
    if (!stopped && observer.StopRequested()) {
      stopped = true;
      StoppedAt(CopyStep::Stopped, 0, {}, "The copy was stopped.");
    }
    return stopped;
  }
};

}  // namespace zarvelin::copy
