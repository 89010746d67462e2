// The program's one pseudo-random generator, shared by scripts, stars and particles.
#pragma once

#include <cstdint>
#include <random>

namespace ox::platform {

std::mt19937& SharedRandom();
// Seeds the shared generator (start-up seeds it from the clock; tests seed it fixed).
void SeedSharedRandom(std::uint32_t seed);
// A uniform integer in 0 .. n-1; 0 when n <= 0.
std::int32_t RandomBelow(std::int32_t n);
// A uniform float in [0, 1).
double RandomUnit();

}  // namespace ox::platform
