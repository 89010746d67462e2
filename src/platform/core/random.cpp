#include "platform/core/random.h"

namespace ox::platform {

std::mt19937& SharedRandom() {
  static std::mt19937 generator{0x5eed};
  return generator;
}

void SeedSharedRandom(std::uint32_t seed) { SharedRandom().seed(seed); }

std::int32_t RandomBelow(std::int32_t n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<std::int32_t>(0, n - 1)(SharedRandom());
}

double RandomUnit() { return std::uniform_real_distribution<double>(0.0, 1.0)(SharedRandom()); }

}  // namespace ox::platform
