#include "render/particle_params.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace ox::render {

namespace {

class BlockReader {
 public:
  explicit BlockReader(std::span<const std::uint8_t> bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), block_.size()), block_.begin());
  }
  std::uint32_t U32(std::size_t offset) const {
    return block_[offset] | block_[offset + 1] << 8 | block_[offset + 2] << 16 |
           static_cast<std::uint32_t>(block_[offset + 3]) << 24;
  }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  float F32(std::size_t offset) const {
    const float value = std::bit_cast<float>(U32(offset));
    return std::isfinite(value) ? value : 0.0f;
  }
  bool Boolean(std::size_t offset) const { return block_[offset] != 0; }

 private:
  std::array<std::uint8_t, kParticleParamsSize> block_{};
};

}  // namespace

TParticleParams ReadParticleParams(std::span<const std::uint8_t> bytes) {
  const BlockReader r(bytes);
  TParticleParams p;
  p.FirstPattern = r.I32(0);
  p.LastPattern = r.I32(4);
  p.DrawEffect = r.U32(12);
  p.EmitRate = r.F32(16);
  p.Duration = r.F32(20);
  p.LifeA = r.F32(24);
  p.LifeB = r.F32(28);
  p.Direction = r.F32(32);
  p.Spread = r.F32(36);
  p.FollowMotion = r.Boolean(40);
  p.SpeedA = r.F32(44);
  p.SpeedB = r.F32(48);
  p.GravityA = r.F32(52);
  p.GravityB = r.F32(56);
  p.RadialA = r.F32(60);
  p.RadialB = r.F32(64);
  p.TangentialA = r.F32(68);
  p.TangentialB = r.F32(72);
  p.ScaleStart = r.F32(76);
  p.ScaleMiddle = r.F32(80);
  p.ScaleEnd = r.F32(84);
  p.ScaleVariance = r.F32(88);
  p.SpinStart = r.F32(92);
  p.SpinMiddle = r.F32(96);
  p.SpinEnd = r.F32(100);
  p.SpinVariance = r.F32(104);
  p.ColorStart = r.U32(108);
  p.ColorMiddle = r.U32(112);
  p.ColorEnd = r.U32(116);
  p.ColorVariance = r.F32(120);
  p.AlphaVariance = r.F32(124);
  p.MiddleTime = r.F32(128);
  p.ReverseOrder = r.Boolean(132);
  return p;
}

}  // namespace ox::render
