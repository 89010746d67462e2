// The parameters of a particle effect: the 136-byte block of an effect file, little-endian,
// 32-bit floats unless stated. Each A/B pair is a random range whose ends may come in either
// order.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ox::render {

struct TParticleParams {
  std::int32_t FirstPattern = 0;
  std::int32_t LastPattern = 0;  // negative or FirstPattern: no pattern animation
  std::uint32_t DrawEffect = 0;
  float EmitRate = 0;  // particles per second of effect time
  float Duration = 0;  // emitting time after Start; 0 or less never emits
  float LifeA = 0, LifeB = 0;
  float Direction = 0;  // radians, 0 pointing down (+y)
  float Spread = 0;
  bool FollowMotion = false;
  float SpeedA = 0, SpeedB = 0;
  float GravityA = 0, GravityB = 0;
  float RadialA = 0, RadialB = 0;
  float TangentialA = 0, TangentialB = 0;
  float ScaleStart = 0, ScaleMiddle = 0, ScaleEnd = 0, ScaleVariance = 0;
  float SpinStart = 0, SpinMiddle = 0, SpinEnd = 0, SpinVariance = 0;
  std::uint32_t ColorStart = 0, ColorMiddle = 0, ColorEnd = 0;  // red in the low byte
  float ColorVariance = 0;
  float AlphaVariance = 0;
  float MiddleTime = 0;  // fraction of a particle's life
  bool ReverseOrder = false;  // draw the newest particle first

  bool operator==(const TParticleParams&) const = default;
};

inline constexpr std::size_t kParticleParamsSize = 136;

// Reads the block from the start of `bytes`. A shorter block reads its missing bytes as zero,
// and a float that is not finite reads as 0, so no file can put infinities into positions.
TParticleParams ReadParticleParams(std::span<const std::uint8_t> bytes);

// The block an effect file holds for these parameters, unused bytes zero.
std::array<std::uint8_t, kParticleParamsSize> WriteParticleParams(const TParticleParams& params);

}  // namespace ox::render
