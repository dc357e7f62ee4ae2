#include "win32/WinClock.h"

#include <windows.h>

namespace zarvelin::win32 {

DateTime WinClock::Now() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace zarvelin::win32
