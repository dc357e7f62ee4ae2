#include "win32/ThreadModality.h"

#include <algorithm>

namespace zarvelin::win32 {
namespace {

struct Search {
  HWND modal;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM context) {
  const auto& search = *reinterpret_cast<const Search*>(context);
  if (window != search.modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
    search.found->push_back(window);
  }
  return TRUE;
}

}  // namespace

ThreadModality::ThreadModality(HWND modal) : active_(GetActiveWindow()) {
  Search search{modal, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&search));
  for (const HWND window : disabled_) EnableWindow(window, FALSE);
}

ThreadModality::~ThreadModality() {
  // In the opposite order, so that the window that had the input last gets it back last.
  std::for_each(disabled_.rbegin(), disabled_.rend(), [](HWND window) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  });
  if (active_ != nullptr && IsWindow(active_) && IsWindowEnabled(active_)) {
    SetActiveWindow(active_);
  }
}

}  // namespace zarvelin::win32
