// The frame timer. It is driven from the program's idle time: each idle step measures the time
// since the previous step, sleeps when the frame came sooner than MaxFPS allows, turns the
// measured time into game ticks of 1/Speed second and calls OnTimer, whose handler renders and
// calls Process, which runs OnProcess once per whole tick that has passed.
// Times are kept in milliseconds x 2^20 and ticks in ticks x 2^20 (20 fraction bits). A step
// that measures more than 2^31 - 1 units (about 2,048 ms) counts as no time at all, and one
// measurement adds at most 32 ticks, so a stall never turns into a long burst of catch-up ticks.
// Time comes from a Clock: the real one for play, a VirtualClock for headless runs, in which the
// caller advances time by TickNanoseconds() before each step so that every frame runs one tick.
// Ticks are added only when Process ran since the previous step; the first step after creation
// therefore counts none.
#pragma once

#include <cstdint>
#include <functional>

namespace ox::render {

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time in nanoseconds from an arbitrary origin.
  virtual std::int64_t NowNanoseconds() = 0;
  virtual void SleepMilliseconds(std::int64_t milliseconds) = 0;
};

// std::chrono::steady_clock and std::this_thread::sleep_for.
class SteadyClock final : public Clock {
 public:
  std::int64_t NowNanoseconds() override;
  void SleepMilliseconds(std::int64_t milliseconds) override;
};

// Time that passes only when the owner advances it; sleeping returns at once.
class VirtualClock final : public Clock {
 public:
  std::int64_t NowNanoseconds() override { return now_; }
  void SleepMilliseconds(std::int64_t) override {}
  void Advance(std::int64_t nanoseconds) { now_ += nanoseconds; }

 private:
  std::int64_t now_ = 0;
};

class TAsphyreTimer {
 public:
  // The clock must outlive the timer; the default is a process-wide SteadyClock.
  TAsphyreTimer();
  explicit TAsphyreTimer(Clock& clock);

  // Ticks per second; values below 1.0 (and NaN) become 1.0.
  double Speed() const { return speed_; }
  void SetSpeed(double speed);
  // Most frames per second; values <= 0 become 1.
  std::int32_t MaxFPS() const { return maxFps_; }
  void SetMaxFPS(std::int32_t maxFps);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  std::function<void()> OnTimer;
  std::function<void()> OnProcess;

  // One idle step: measure, pace, count ticks, call OnTimer (only while enabled; a disabled
  // timer sleeps 5 ms instead).
  void Idle();
  // Forgets the time since the last measurement, so a slow operation causes no catch-up ticks;
  // ticks already counted are kept.
  void Reset();
  // Runs OnProcess once per whole tick counted and keeps the fraction for later.
  void Process();

  // The shortest clock advance that measures as at least one whole tick at the current Speed.
  std::int64_t TickNanoseconds() const;

 private:
  std::int64_t MeasureElapsed();

  Clock& clock_;
  double speed_ = 60.0;
  std::int32_t maxFps_ = 100;
  bool enabled_ = false;
  std::int64_t tickLength_;    // ms x 2^20
  std::int64_t minFrameTime_;  // ms x 2^20
  std::int64_t lastReading_;   // ns
  std::int64_t accumulated_ = 0;  // ticks x 2^20
  bool processed_ = false;
};

}  // namespace ox::render
