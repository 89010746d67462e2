#include "scriptlib/clock.h"

#include <chrono>
#include <ctime>

#include "scriptlib/calendar.h"

namespace ox::scriptlib {

namespace {

double SystemLocalNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  double date = 0, time = 0;
  TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
  TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, static_cast<int>(ms), time);
  return date + time;
}

std::function<double()>& Clock() {
  static std::function<double()> clock;
  return clock;
}

}  // namespace

double LocalNow() { return Clock() ? Clock()() : SystemLocalNow(); }

void SetLocalClock(std::function<double()> clock) { Clock() = std::move(clock); }

}  // namespace ox::scriptlib
