#include "addin/CallFrame.h"

#include <utility>
#include <vector>

namespace zarvelin {
namespace {

int depth = 0;
std::vector<std::function<void()>> waiting;

void RunWaiting() {
  // Work may itself ask for more work; it is taken in turn until none is left.
  while (!waiting.empty()) {
    std::function<void()> work = std::move(waiting.front());
    waiting.erase(waiting.begin());
    try {
      work();
    } catch (...) {
      // A frame is returning to the IDE: nothing may be thrown into it.
    }
  }
}

}  // namespace

CallFrame::CallFrame() {
  ++depth;
}

CallFrame::~CallFrame() {
  if (--depth > 0) return;
  // Work run now must not defer itself to a frame that is already gone.
  ++depth;
  RunWaiting();
  --depth;
}

bool CallFrame::Active() {
  return depth > 0;
}

void CallFrame::WhenReturned(std::function<void()> work) {
  waiting.push_back(std::move(work));
  // With no frame on the stack, this one is the outermost and runs it as it returns.
  if (depth == 0) {
    const CallFrame now;
  }
}

}  // namespace zarvelin
