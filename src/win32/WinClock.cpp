#include "win32/WinClock.h"

#include <windows.h>

namespace zarvelin::win32 {

DateTime WinClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace zarvelin::win32
