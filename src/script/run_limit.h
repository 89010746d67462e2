// The long-run guard. Every statement a run executes and every pass of a loop is a step; every
// few thousand steps the interpreter asks its host whether the run may go on, so a script that
// never ends is stopped with an error instead of freezing the player.
#pragma once

#include <chrono>
#include <cstdint>

namespace ox::script {

using RunClock = std::chrono::steady_clock;

// What the host decides about a run that has not returned yet.
enum class RunVerdict : std::uint8_t {
  Continue,
  TooLong,  // error kRunsTooLong
  Closing,  // the player is closing: error kStoppedByClose
};

// A bound on one run: by steps (deterministic, for headless runs and tests) and by wall time
// (windowed play). Zero means no bound of that sort.
struct RunLimit {
  std::uint64_t steps = 0;
  RunClock::duration wall{};

  bool Exceeded(std::uint64_t taken, RunClock::duration elapsed) const {
    return (steps != 0 && taken >= steps) || (wall.count() != 0 && elapsed >= wall);
  }
};

// Steps between two questions to the host.
constexpr std::uint64_t kStepsBetweenChecks = 4096;

// The longest string a script may build (concatenation past it raises error kOutOfMemory).
constexpr std::size_t kMaxStringBytes = std::size_t{256} << 20;

}  // namespace ox::script
