// Particle systems: smoke, sparks and snow. A system spawns particles at its emitter, moves
// them under their own velocity, gravity, radial and tangential acceleration, and changes their
// pattern, scale, spin and colour in two phases (birth -> middle time -> death). Time is in
// effect seconds: the owner scales game time before calling Update. Every system draws its
// particles as patterns of the one texture its manager holds, and all systems and stars draw
// their randomness from the program's shared generator.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/particle_params.h"

namespace ox::render {

class TXParticleManager;

struct TParticle {
  float pattern = 0, patternRate = 0;
  TPoint2 position, origin;  // origin: birth position minus the emitter position at birth
  TPoint2 velocity;
  float gravity = 0, radial = 0, tangential = 0;
  float spin = 0, spinRate = 0;
  float scale = 0, scaleRate = 0;
  std::array<float, 4> colour{};  // red, green, blue, alpha
  std::array<float, 4> colourRate{};
  float middle = 0;  // life x MiddleTime
  float life = 0;
  float age = 0;
};

class TXParticleSystem {
 public:
  // An empty system that does not emit, with one emission point at the emitter.
  explicit TXParticleSystem(int capacity);
  ~TXParticleSystem();
  TXParticleSystem(const TXParticleSystem&) = delete;
  TXParticleSystem& operator=(const TXParticleSystem&) = delete;

  // Reads the parameter block from the start of the file or bytes; true when the file exists
  // and at least one byte was read.
  bool LoadFromFile(const std::filesystem::path& file);
  bool LoadFromStream(std::span<const std::uint8_t> bytes);
  TParticleParams& Params() { return params_; }
  const TParticleParams& Params() const { return params_; }

  // Emitting from clock 0 when there is an emission point and Duration is above 0.
  void Start();
  // Emission ends; with clear every particle vanishes at once.
  void Stop(bool clear);
  // Stop, move the emitter without the particles, and start with the clock at 0.
  void Restart(TPoint2 position);
  // Moves the emitter; with moveParticles the live particles move along.
  void MoveTo(TPoint2 position, bool moveParticles);
  // Advances every particle by dt effect seconds, then emits.
  void Update(float dt);
  // Draws the live particles at their positions plus the offset, in colour AND their own.
  void Render(TAsphyreCanvas& canvas, int offsetX, int offsetY, std::uint32_t colour) const;

  void AddEmissionPoint(TPoint2 offset) { points_.push_back(offset); }
  void AddEmissionPoints(std::span<const TPoint2> offsets);
  void ClearEmissionPoints() { points_.clear(); }

  int Capacity() const { return capacity_; }
  int Count() const { return static_cast<int>(particles_.size()); }
  std::span<const TParticle> Particles() const { return particles_; }
  // Seconds since Start, or -1 when not emitting.
  float EmitterClock() const { return clock_; }
  TPoint2 Emitter() const { return emitter_; }

 private:
  friend class TXParticleManager;
  void Spawn();
  void Advance(TParticle& p, float dt) const;
  void Emit(float dt);

  int capacity_;
  TParticleParams params_;
  std::vector<TParticle> particles_;  // live, in birth order
  TPoint2 emitter_, previous_;
  float clock_ = -1;
  float carry_ = 0;
  std::vector<TPoint2> points_{TPoint2{}};
  TXParticleManager* manager_ = nullptr;
};

// The canvas every system draws on, the shared particle texture ("particles.bmp", which the
// owner may load again at any time, so it is asked for at each drawing) and the archive records
// effect files may come from. Systems made here lose their texture when the manager goes.
class TXParticleManager {
 public:
  using TextureSource = std::function<const TAsphyreImage*()>;
  using RecordReader = std::function<std::optional<std::vector<std::uint8_t>>(const std::string&)>;

  TXParticleManager(TAsphyreCanvas* canvas, TextureSource texture, RecordReader records = {});
  ~TXParticleManager();
  TXParticleManager(const TXParticleManager&) = delete;
  TXParticleManager& operator=(const TXParticleManager&) = delete;

  TAsphyreCanvas* Canvas() const { return canvas_; }
  const TAsphyreImage* Texture() const { return texture_ ? texture_() : nullptr; }
  // The unpacked archive record of that name, or nothing.
  std::optional<std::vector<std::uint8_t>> ReadRecord(const std::string& name) const;
  // A new system that draws with this manager's texture.
  std::unique_ptr<TXParticleSystem> CreateSystem(int capacity);

 private:
  friend class TXParticleSystem;
  TAsphyreCanvas* canvas_;
  TextureSource texture_;
  RecordReader records_;
  std::vector<TXParticleSystem*> systems_;
};

}  // namespace ox::render
