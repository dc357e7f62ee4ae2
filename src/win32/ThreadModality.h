#pragma once

#include <windows.h>

#include <vector>

namespace zarvelin::win32 {

// Modal as VB makes it: while one of the add-in's modal windows (a form, a message box, the
// folder browser) is up, every other enabled and visible top-level window of the thread is
// disabled, the IDE's main window among them, so that nothing there (the Add-In Manager above
// all) runs while the add-in's code waits on the stack. Exactly those are enabled again after,
// and the window that was active is active again.
class ThreadModality {
 public:
  // modal: the window that stays enabled, or none when it is yet to be made (a message box).
  explicit ThreadModality(HWND modal = nullptr);
  ~ThreadModality();
  ThreadModality(const ThreadModality&) = delete;
  ThreadModality& operator=(const ThreadModality&) = delete;

 private:
  HWND active_;
  std::vector<HWND> disabled_;
};

}  // namespace zarvelin::win32
