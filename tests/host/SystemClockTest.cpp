#include <gtest/gtest.h>

#include <ctime>

#include "host/SystemClock.h"

namespace zarvelin::host {
namespace {

DateTime Local(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

TEST(SystemClock, TellsLocalTime) {
  const std::time_t before = std::time(nullptr);
  const DateTime now = SystemClock().Now();
  const std::time_t after = std::time(nullptr);
  // The second may turn between the readings; the clock must agree with one of them.
  EXPECT_TRUE(now == Local(before) || now == Local(after));
}

}  // namespace
}  // namespace zarvelin::host
