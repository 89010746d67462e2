#include "render/timer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace ox::render {
namespace {

constexpr std::int64_t kOne = std::int64_t{1} << 20;          // 1.0 in fixed point
constexpr std::int64_t kSecond = 1000 * kOne;                  // 1,000 ms in fixed point
constexpr std::int64_t kLongestStep = 2147483647;              // about 2,048 ms
constexpr std::int64_t kMostTicksPerStep = 32 * kOne;
constexpr std::int64_t kNanosPerMs = 1000000;
constexpr std::int64_t kDisabledSleepMs = 5;

// x / d rounded to the nearest integer, halves to even; x >= 0, d > 0.
std::int64_t DivideRounded(std::int64_t x, std::int64_t d) {
  const std::int64_t q = x / d;
  const std::int64_t r = x % d;
  return (2 * r > d || (2 * r == d && q % 2 != 0)) ? q + 1 : q;
}

std::int64_t RoundedPeriod(double perSecond) {
  // A period below one unit would divide by zero when counting ticks.
  return std::max<std::int64_t>(1, static_cast<std::int64_t>(std::nearbyint(kSecond / perSecond)));
}

}  // namespace

std::int64_t SteadyClock::NowNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SteadyClock::SleepMilliseconds(std::int64_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TAsphyreTimer::TAsphyreTimer() : TAsphyreTimer([]() -> Clock& {
                                   static SteadyClock clock;
                                   return clock;
                                 }()) {}

TAsphyreTimer::TAsphyreTimer(Clock& clock)
    : clock_(clock),
      tickLength_(RoundedPeriod(speed_)),
      minFrameTime_(RoundedPeriod(maxFps_)),
      lastReading_(clock.NowNanoseconds()) {}

void TAsphyreTimer::SetSpeed(double speed) {
  speed_ = speed >= 1.0 ? speed : 1.0;
  tickLength_ = RoundedPeriod(speed_);
}

void TAsphyreTimer::SetMaxFPS(std::int32_t maxFps) {
  maxFps_ = maxFps > 0 ? maxFps : 1;
  minFrameTime_ = RoundedPeriod(maxFps_);
}

std::int64_t TAsphyreTimer::MeasureElapsed() {
  const std::int64_t now = clock_.NowNanoseconds();
  const std::int64_t nanos = now - lastReading_;
  lastReading_ = now;
  // Anything beyond about 2.1 s is over the limit anyway; checking first keeps the product
  // below overflow.
  if (nanos <= 0 || nanos > 2100 * kNanosPerMs) return 0;
  const std::int64_t elapsed = DivideRounded(nanos * kOne, kNanosPerMs);
  return elapsed > kLongestStep ? 0 : elapsed;
}

void TAsphyreTimer::Idle() {
  const std::int64_t elapsed = MeasureElapsed();
  if (!enabled_) {
    clock_.SleepMilliseconds(kDisabledSleepMs);
    return;
  }
  if (elapsed < minFrameTime_) clock_.SleepMilliseconds((minFrameTime_ - elapsed) / kOne);
  const std::int64_t delta = std::min(elapsed * kOne / tickLength_, kMostTicksPerStep);
  if (processed_) {
    accumulated_ += delta;
    processed_ = false;
  }
  if (OnTimer) OnTimer();
}

void TAsphyreTimer::Reset() { lastReading_ = clock_.NowNanoseconds(); }

void TAsphyreTimer::Process() {
  processed_ = true;
  const std::int64_t ticks = accumulated_ / kOne;
  if (ticks < 1) return;
  for (std::int64_t i = 0; i < ticks; ++i)
    if (OnProcess) OnProcess();
  accumulated_ &= kOne - 1;
}

std::int64_t TAsphyreTimer::TickNanoseconds() const {
  // Smallest n with round(n * 2^20 / 10^6) >= tick length.
  std::int64_t n = (tickLength_ * kNanosPerMs) / kOne;
  while (DivideRounded(n * kOne, kNanosPerMs) < tickLength_) ++n;
  return n;
}

}  // namespace ox::render
