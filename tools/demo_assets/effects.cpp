#include "effects.h"

#include <cmath>
#include <numbers>
#include <string>

#include "bitmap.h"
#include "render/particle_params.h"

namespace demo_assets {

namespace {

using ox::render::TParticleParams;

constexpr int kCell = 32;
constexpr std::uint32_t kAdditive = 0x000104;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kForever = 1e6f;  // seconds of emission: as long as the screen is shown

// The particle texture: four white patterns of 32 x 32 whose alpha is their shape (a soft
// glow, a small hot dot, a four-pointed sparkle, a puff), tinted by each particle's colour.
std::uint32_t ParticlePattern(int x, int y) {
  const double dx = x % kCell - 15.5, dy = y - 15.5, d = std::hypot(dx, dy) / 16.0;
  double a = 0;
  switch (x / kCell) {
    case 0: a = std::pow(std::max(0.0, 1 - d), 2); break;
    case 1: a = std::exp(-d * d * 18); break;
    case 2: {
      const double rays = std::exp(-std::abs(dx) * 0.9) + std::exp(-std::abs(dy) * 0.9);
      a = std::min(1.0, rays * std::max(0.0, 1 - d) + std::exp(-d * d * 30));
      break;
    }
    default: a = std::max(0.0, 1 - d) * (0.6 + 0.4 * Noise(x / 3, y / 3)); break;
  }
  return Rgb(a, a, a, a);
}

struct Effect {
  const char* file;
  TParticleParams params;
};

// Each effect's parameters, in the order of the block. Colours are 0xAABBGGRR.
const Effect kEffects[] = {
    // Sparks rising from below the title, drifting and fading.
    {"embers.eff",
     {.FirstPattern = 0, .LastPattern = -1, .DrawEffect = kAdditive, .EmitRate = 18, .Duration = kForever,
      .LifeA = 6, .LifeB = 10, .Direction = kPi, .Spread = 1.8f, .SpeedA = 40, .SpeedB = 110,
      .GravityA = -0.5f, .GravityB = 0.5f, .TangentialA = -2, .TangentialB = 2, .ScaleStart = 0.25f,
      .ScaleMiddle = 0.5f, .ScaleEnd = 0.1f, .ScaleVariance = 0.8f, .ColorStart = 0xFF3090FF,
      .ColorMiddle = 0xD040B0FF, .ColorEnd = 0x002060FF, .ColorVariance = 0.5f, .MiddleTime = 0.4f}},
    // The lantern's flame: short-lived glows licking upwards.
    {"flame.eff",
     {.FirstPattern = 0, .LastPattern = -1, .DrawEffect = kAdditive, .EmitRate = 45, .Duration = kForever,
      .LifeA = 0.4f, .LifeB = 0.8f, .Direction = kPi, .Spread = 0.5f, .SpeedA = 20, .SpeedB = 40,
      .GravityA = -3, .GravityB = -5, .ScaleStart = 0.6f, .ScaleMiddle = 1.0f, .ScaleEnd = 0.2f,
      .ScaleVariance = 0.5f, .ColorStart = 0xFF90F0FF, .ColorMiddle = 0xC030A0FF, .ColorEnd = 0x001040E0,
      .MiddleTime = 0.35f}},
    // Golden sparkles welling up out of the open chest.
    {"glitter.eff",
     {.FirstPattern = 2, .LastPattern = -1, .DrawEffect = kAdditive, .EmitRate = 40, .Duration = kForever,
      .LifeA = 1.2f, .LifeB = 2.4f, .Direction = kPi, .Spread = 1.4f, .SpeedA = 40, .SpeedB = 100,
      .GravityA = 2, .GravityB = 4, .ScaleStart = 0.4f, .ScaleMiddle = 0.8f, .ScaleEnd = 0.1f,
      .ScaleVariance = 0.6f, .SpinStart = 0, .SpinMiddle = 1.5f, .SpinEnd = 3, .SpinVariance = 1,
      .ColorStart = 0xFF60E0FF, .ColorMiddle = 0xFFA0F0FF, .ColorEnd = 0x0040A0FF, .ColorVariance = 0.4f,
      .MiddleTime = 0.5f}},
    // A firework: one short burst of white sparkles in every direction, falling as they fade;
    // the effect element's colour tints each burst.
    {"burst.eff",
     {.FirstPattern = 2, .LastPattern = -1, .DrawEffect = kAdditive, .EmitRate = 600, .Duration = 0.2f,
      .LifeA = 1.2f, .LifeB = 2.2f, .Direction = 0, .Spread = 2 * kPi, .SpeedA = 80, .SpeedB = 220,
      .GravityA = 5, .GravityB = 8, .ScaleStart = 0.9f, .ScaleMiddle = 0.7f, .ScaleEnd = 0.1f,
      .SpinStart = 0, .SpinMiddle = 2, .SpinEnd = 4, .ColorStart = 0xFFFFFFFF, .ColorMiddle = 0xFFFFFFFF,
      .ColorEnd = 0x00FFFFFF, .MiddleTime = 0.4f}},
};

std::string Block(const TParticleParams& params) {
  const auto block = ox::render::WriteParticleParams(params);
  return std::string(block.begin(), block.end());
}

}  // namespace

bool WriteEffects(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder / "fx", ec);
  if (!WriteFile(folder / "particles.bmp", Bitmap(4 * kCell, kCell, ParticlePattern)) ||
      !WriteFile(folder / "particles.an", "4\r\n1\r\n"))
    return false;
  for (const Effect& effect : kEffects) {
    if (!WriteFile(folder / "fx" / effect.file, Block(effect.params))) return false;
  }
  return true;
}

}  // namespace demo_assets
