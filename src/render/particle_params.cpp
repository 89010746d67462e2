#include "render/particle_params.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <type_traits>
#include <variant>

namespace ox::render {

namespace {

using P = TParticleParams;
using FieldOf = std::variant<std::int32_t P::*, std::uint32_t P::*, float P::*, bool P::*>;

struct BlockField {
  std::size_t offset;
  FieldOf field;
};

// Where each parameter sits in the block; the bytes not named here are unused. Booleans take
// one byte followed by three unused ones.
constexpr BlockField kLayout[] = {
    {0, &P::FirstPattern},   {4, &P::LastPattern},    {12, &P::DrawEffect},    {16, &P::EmitRate},
    {20, &P::Duration},      {24, &P::LifeA},         {28, &P::LifeB},         {32, &P::Direction},
    {36, &P::Spread},        {40, &P::FollowMotion},  {44, &P::SpeedA},        {48, &P::SpeedB},
    {52, &P::GravityA},      {56, &P::GravityB},      {60, &P::RadialA},       {64, &P::RadialB},
    {68, &P::TangentialA},   {72, &P::TangentialB},   {76, &P::ScaleStart},    {80, &P::ScaleMiddle},
    {84, &P::ScaleEnd},      {88, &P::ScaleVariance}, {92, &P::SpinStart},     {96, &P::SpinMiddle},
    {100, &P::SpinEnd},      {104, &P::SpinVariance}, {108, &P::ColorStart},   {112, &P::ColorMiddle},
    {116, &P::ColorEnd},     {120, &P::ColorVariance}, {124, &P::AlphaVariance}, {128, &P::MiddleTime},
    {132, &P::ReverseOrder},
};

std::uint32_t GetU32(const std::array<std::uint8_t, kParticleParamsSize>& block, std::size_t offset) {
  return block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 |
         static_cast<std::uint32_t>(block[offset + 3]) << 24;
}

void PutU32(std::array<std::uint8_t, kParticleParamsSize>& block, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

TParticleParams ReadParticleParams(std::span<const std::uint8_t> bytes) {
  std::array<std::uint8_t, kParticleParamsSize> block{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
  TParticleParams p;
  for (const BlockField& f : kLayout) {
    const std::uint32_t raw = GetU32(block, f.offset);
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(p.*member)>;
          if constexpr (std::is_same_v<T, bool>) {
            p.*member = block[f.offset] != 0;
          } else if constexpr (std::is_same_v<T, float>) {
            const float value = std::bit_cast<float>(raw);
            p.*member = std::isfinite(value) ? value : 0.0f;
          } else {
            p.*member = static_cast<T>(raw);
          }
        },
        f.field);
  }
  return p;
}

std::array<std::uint8_t, kParticleParamsSize> WriteParticleParams(const TParticleParams& p) {
  std::array<std::uint8_t, kParticleParamsSize> block{};
  for (const BlockField& f : kLayout) {
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(p.*member)>;
          if constexpr (std::is_same_v<T, bool>) {
            block[f.offset] = p.*member ? 1 : 0;
          } else if constexpr (std::is_same_v<T, float>) {
            PutU32(block, f.offset, std::bit_cast<std::uint32_t>(p.*member));
          } else {
            PutU32(block, f.offset, static_cast<std::uint32_t>(p.*member));
          }
        },
        f.field);
  }
  return block;
}

}  // namespace ox::render
