#pragma once

#include <functional>

namespace zarvelin {

// The add-in's own code on the stack of the IDE's thread: an event it handles, a window procedure
// of its windows, a message loop it runs. While one is there, the IDE may still call in (from a
// message loop the add-in runs) and ask for what would free objects that code is using; such work
// waits until the outermost frame has returned. The IDE calls an add-in on one thread only.
class CallFrame {
 public:
  CallFrame();
  ~CallFrame();
  CallFrame(const CallFrame&) = delete;
  CallFrame& operator=(const CallFrame&) = delete;

  static bool Active();
  // Runs the work now when no frame is on the stack, otherwise when the outermost one returns,
  // in the order it was asked for. A failure inside the work goes no further.
  static void WhenReturned(std::function<void()> work);
};

}  // namespace zarvelin
