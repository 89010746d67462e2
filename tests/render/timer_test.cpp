#include "render/timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ox::render {
namespace {

constexpr std::int64_t kMs = 1000000;

// A clock under the test's control; sleeping lets the slept time pass.
class FakeClock final : public Clock {
 public:
  std::int64_t NowNanoseconds() override { return now; }
  void SleepMilliseconds(std::int64_t ms) override {
    sleeps.push_back(ms);
    now += ms * kMs;
  }
  std::int64_t now = 5 * kMs;
  std::vector<std::int64_t> sleeps;
};

// A timer set up as the player sets it (Speed 30, MaxFPS 30, enabled) whose frame handler
// calls Process and counts the frames and ticks it sees.
struct Player {
  explicit Player(Clock& clock, double speed = 30.0, std::int32_t maxFps = 30) : timer(clock) {
    timer.SetSpeed(speed);
    timer.SetMaxFPS(maxFps);
    timer.OnTimer = [this] {
      ++frames;
      timer.Process();
    };
    timer.OnProcess = [this] { ++ticks; };
    timer.SetEnabled(true);
    timer.Idle();  // the first step only arms the tick count
    timer.Reset();  // and measuring starts now, not after the arming step's sleep
    frames = 0;
  }
  TAsphyreTimer timer;
  int frames = 0;
  int ticks = 0;
};

TEST(Timer, DefaultsAndClamping) {
  FakeClock clock;
  TAsphyreTimer timer(clock);
  EXPECT_EQ(timer.Speed(), 60.0);
  EXPECT_EQ(timer.MaxFPS(), 100);
  EXPECT_FALSE(timer.Enabled());
  timer.SetSpeed(0.5);
  EXPECT_EQ(timer.Speed(), 1.0);
  timer.SetSpeed(std::nan(""));
  EXPECT_EQ(timer.Speed(), 1.0);
  timer.SetMaxFPS(0);
  EXPECT_EQ(timer.MaxFPS(), 1);
  timer.SetMaxFPS(-7);
  EXPECT_EQ(timer.MaxFPS(), 1);
}

TEST(Timer, ClampedSpeedCountsTicksAtOnePerSecond) {
  FakeClock clock;
  Player player(clock, 0.5, 100);
  clock.now += 1000 * kMs;
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 1);
}

TEST(Timer, PacesFramesToMaxFps) {
  FakeClock clock;
  Player player(clock);
  clock.sleeps.clear();
  clock.now += 10 * kMs;  // a frame that took 10 ms
  player.timer.Idle();
  // 33.33 ms per frame: the rest of the frame, whole milliseconds, is slept.
  ASSERT_EQ(clock.sleeps, std::vector<std::int64_t>{23});
  clock.now += 40 * kMs;  // a slow frame is not slowed further
  player.timer.Idle();
  EXPECT_EQ(clock.sleeps.size(), 1u);
  EXPECT_EQ(player.frames, 2);
}

TEST(Timer, TicksFollowRealTimeAndKeepTheirFraction) {
  FakeClock clock;
  Player player(clock);
  const std::int64_t start = clock.now;
  for (int frame = 0; frame < 300; ++frame) {
    clock.now += 5 * kMs;  // render time; the timer sleeps for pacing
    player.timer.Idle();
  }
  // Whatever the frame rhythm, the ticks follow the time that passed: 30 a second.
  const double seconds = static_cast<double>(clock.now - start) / 1e9;
  EXPECT_GT(seconds, 5.0);
  EXPECT_NEAR(player.ticks, seconds * 30.0, 1.5);
  const int before = player.ticks;
  clock.now += 50 * kMs;  // 1.5 ticks: one now, the half carried to the next frame
  player.timer.Idle();
  clock.now += 50 * kMs;
  player.timer.Idle();
  EXPECT_EQ(player.ticks - before, 3);
}

TEST(Timer, OneSecondStallGivesThirtyTicksInOneProcess) {
  FakeClock clock;
  Player player(clock);
  int callsWithTicks = 0;
  player.timer.OnTimer = [&] {
    const int before = player.ticks;
    player.timer.Process();
    callsWithTicks += player.ticks > before;
  };
  clock.now += 1000 * kMs;
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 30);
  EXPECT_EQ(callsWithTicks, 1);
}

TEST(Timer, StallBeyondAbout2048MsCountsAsNoTime) {
  FakeClock clock;
  Player player(clock);
  clock.now += 2047 * kMs;  // just under the limit: capped at 32 ticks
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 32);
  clock.now += 2048 * kMs;  // 2^31 units: just over the limit
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 32);
  player.timer.Reset();
  clock.now += 3600000 * kMs;  // an hour asleep
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 32);
}

TEST(Timer, OneMeasurementAddsAtMost32Ticks) {
  FakeClock clock;
  Player player(clock);
  clock.now += 1500 * kMs;  // 45 ticks' worth
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 32);
}

TEST(Timer, TicksCountOnlyAfterAProcess) {
  FakeClock clock;
  Player player(clock);
  player.timer.OnTimer = [&] { ++player.frames; };  // a frame that skips Process
  clock.now += 100 * kMs;
  player.timer.Idle();  // counted: the arming step processed
  clock.now += 100 * kMs;
  player.timer.Idle();  // dropped: no Process since the last measurement
  player.timer.Process();
  EXPECT_EQ(player.ticks, 3);
}

TEST(Timer, DisabledTimerSleepsFiveMillisecondsAndRunsNoFrames) {
  FakeClock clock;
  Player player(clock);
  player.timer.SetEnabled(false);
  clock.sleeps.clear();
  clock.now += 500 * kMs;
  player.timer.Idle();
  player.timer.Idle();
  EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{5, 5}));
  EXPECT_EQ(player.frames, 0);
  player.timer.SetEnabled(true);
  clock.now += 34 * kMs;
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 1);  // the disabled time was measured and dropped
}

TEST(Timer, ResetBeforeProcessPreventsABurst) {
  FakeClock clock;
  Player player(clock);
  clock.now += 20 * kMs;
  player.timer.Idle();  // 20 ms: no whole tick yet, the fraction is kept
  clock.now += 900 * kMs;  // a long load
  player.timer.Reset();
  clock.now += 20 * kMs;
  player.timer.Idle();
  EXPECT_EQ(player.ticks, 1);  // 20 + 20 ms, not 27 ticks
}

TEST(Timer, VirtualClockRunsExactlyOneTickPerFrame) {
  for (const double speed : {30.0, 1.0, 25.0, 60.0, 7.3, 999.0}) {
    VirtualClock clock;
    Player player(clock, speed, 1000);
    for (int frame = 0; frame < 5000; ++frame) {
      clock.Advance(player.timer.TickNanoseconds());
      if (frame % 97 == 0) player.timer.Reset();  // slow operations do not disturb it
      const int before = player.ticks;
      player.timer.Idle();
      ASSERT_EQ(player.ticks - before, frame % 97 == 0 ? 0 : 1) << speed << " frame " << frame;
    }
  }
}

}  // namespace
}  // namespace ox::render
