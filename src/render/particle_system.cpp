#include "render/particle_system.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/core/random.h"
#include "platform/files/read_file.h"

namespace ox::render {

namespace {

// The smaller end plus a uniform fraction of the range [0, 1).
float RandomRange(float a, float b) {
  return std::min(a, b) + static_cast<float>(platform::RandomUnit()) * std::abs(b - a);
}

// The rate that takes `value` to `target` in `span` seconds. With no time to get there (a
// middle time of 0, a life equal to its middle time) the value is set to the target at once,
// so no rate becomes infinite.
float RateTo(float& value, float target, float span) {
  const float rate = (target - value) / span;
  if (span > 0 && std::isfinite(rate)) return rate;
  value = target;
  return 0;
}

std::array<float, 4> Channels(std::uint32_t colour) {
  return {static_cast<float>(colour & 0xFF), static_cast<float>(colour >> 8 & 0xFF),
          static_cast<float>(colour >> 16 & 0xFF), static_cast<float>(colour >> 24)};
}

// Below 0 becomes 0; red, green and blue above 255 become 255, alpha above 255 becomes 254.
void ClampColour(std::array<float, 4>& c) {
  for (int i = 0; i < 3; ++i) c[i] = std::clamp(c[i], 0.0f, 255.0f);
  c[3] = c[3] > 255.0f ? 254.0f : std::max(c[3], 0.0f);
}

std::uint32_t PackColour(const std::array<float, 4>& c) {
  std::uint32_t packed = 0;
  for (int i = 0; i < 4; ++i) packed |= static_cast<std::uint32_t>(std::nearbyint(c[i])) << (8 * i);
  return packed;
}

// A pattern that is no number (an infinite pattern rate times a zero time step, or two infinite
// steps of opposite sign) draws as pattern 0.
int TruncatedPattern(float pattern) {
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  if (std::isnan(pattern)) return 0;
  return static_cast<int>(std::clamp(pattern, -kLimit, kLimit));
}

// At the middle time every value turns toward its end value, to arrive at death.
void TurnToEnd(TParticle& p, const TParticleParams& params) {
  const float rest = p.life - p.middle;
  p.spinRate = RateTo(p.spin, params.SpinEnd, rest);
  p.scaleRate = RateTo(p.scale, params.ScaleEnd, rest);
  const std::array<float, 4> end = Channels(params.ColorEnd);
  for (int i = 0; i < 4; ++i) p.colourRate[i] = RateTo(p.colour[i], end[i], rest);
}

}  // namespace

TXParticleSystem::TXParticleSystem(int capacity) : capacity_(std::max(capacity, 0)) {
  particles_.reserve(static_cast<std::size_t>(capacity_));
}

TXParticleSystem::~TXParticleSystem() {
  if (manager_ != nullptr) std::erase(manager_->systems_, this);
}

bool TXParticleSystem::LoadFromFile(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(file);
  if (!bytes) return false;
  return LoadFromStream({reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()});
}

bool TXParticleSystem::LoadFromStream(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return false;
  params_ = ReadParticleParams(bytes);
  return true;
}

void TXParticleSystem::Start() {
  if (!points_.empty()) clock_ = params_.Duration > 0 ? 0.0f : -1.0f;
}

void TXParticleSystem::Stop(bool clear) {
  clock_ = -1;
  if (clear) particles_.clear();
}

void TXParticleSystem::Restart(TPoint2 position) {
  Stop(false);
  MoveTo(position, false);
  Start();
}

void TXParticleSystem::MoveTo(TPoint2 position, bool moveParticles) {
  const TPoint2 d{position.x - emitter_.x, position.y - emitter_.y};
  if (moveParticles) {
    for (TParticle& p : particles_) {
      p.position.x += d.x;
      p.position.y += d.y;
    }
    previous_ = {previous_.x + d.x, previous_.y + d.y};
  } else if (clock_ >= 0) {
    previous_ = emitter_;  // this update's births spread along the movement
  } else {
    previous_ = {emitter_.x + d.x, emitter_.y + d.y};
  }
  emitter_ = {emitter_.x + d.x, emitter_.y + d.y};
}

void TXParticleSystem::AddEmissionPoints(std::span<const TPoint2> offsets) {
  points_.insert(points_.end(), offsets.begin(), offsets.end());
}

void TXParticleSystem::Spawn() {
  const TParticleParams& q = params_;
  TParticle p;
  p.life = RandomRange(q.LifeA, q.LifeB);
  p.middle = p.life * q.MiddleTime;

  const float along = RandomRange(0, 1);
  const TPoint2 point = points_[static_cast<std::size_t>(platform::RandomBelow(static_cast<std::int32_t>(points_.size())))];
  p.position = {previous_.x + (emitter_.x - previous_.x) * along + point.x,
                previous_.y + (emitter_.y - previous_.y) * along + point.y};
  p.origin = {p.position.x - emitter_.x, p.position.y - emitter_.y};

  float angle = RandomRange(0, q.Spread) + q.Direction - q.Spread / 2;
  if (q.FollowMotion) angle += std::atan2(previous_.y - emitter_.y, previous_.x - emitter_.x);
  const float speed = RandomRange(q.SpeedA, q.SpeedB);
  p.velocity = {std::sin(angle) * speed, std::cos(angle) * speed};
  p.gravity = RandomRange(q.GravityA, q.GravityB);
  p.radial = RandomRange(q.RadialA, q.RadialB);
  p.tangential = RandomRange(q.TangentialA, q.TangentialB);

  p.scale = RandomRange(q.ScaleStart, q.ScaleStart + (q.ScaleMiddle - q.ScaleStart) * q.ScaleVariance);
  p.scaleRate = RateTo(p.scale, q.ScaleMiddle, p.middle);
  p.spin = RandomRange(q.SpinStart, q.SpinStart + (q.SpinMiddle - q.SpinStart) * q.SpinVariance);
  p.spinRate = RateTo(p.spin, q.SpinMiddle, p.middle);

  p.pattern = static_cast<float>(q.FirstPattern);
  const bool animated = q.LastPattern >= 0 && q.LastPattern != q.FirstPattern && p.life > 0;
  // The pattern span is taken in 64 bits: the two ends may lie the whole int range apart.
  const auto span = static_cast<std::int64_t>(q.LastPattern) - q.FirstPattern;
  p.patternRate = animated ? static_cast<float>(span) / p.life : 0.0f;

  const std::array<float, 4> start = Channels(q.ColorStart), middle = Channels(q.ColorMiddle);
  const float u = RandomRange(0, q.ColorVariance), v = RandomRange(0, q.AlphaVariance);
  for (int i = 0; i < 4; ++i) p.colour[i] = start[i] + (middle[i] - start[i]) * (i < 3 ? u : v);
  ClampColour(p.colour);
  for (int i = 0; i < 4; ++i) p.colourRate[i] = RateTo(p.colour[i], middle[i], p.middle);
  // A middle time of 0 or less is already behind the particle: it heads for its end at once.
  if (!(p.middle > 0)) TurnToEnd(p, q);
  particles_.push_back(p);
}

void TXParticleSystem::Advance(TParticle& p, float dt) const {
  const bool crossed = p.age - dt < p.middle && p.middle <= p.age;
  const TPoint2 from{emitter_.x + p.origin.x, emitter_.y + p.origin.y};
  TPoint2 r{p.position.x - from.x, p.position.y - from.y};
  const float length = std::hypot(r.x, r.y);
  r = length > 0 ? TPoint2{r.x / length, r.y / length} : TPoint2{};
  const TPoint2 t{-r.y, r.x};
  p.velocity.x += (r.x * p.radial + t.x * p.tangential) * 10 * dt;
  p.velocity.y += (r.y * p.radial + t.y * p.tangential) * 10 * dt + dt * p.gravity * 10;
  p.position.x += p.velocity.x * dt;
  p.position.y += p.velocity.y * dt;
  p.spin += p.spinRate * dt;
  p.scale += p.scaleRate * dt;
  p.pattern += p.patternRate * dt;
  if (crossed) TurnToEnd(p, params_);
  for (int i = 0; i < 4; ++i) p.colour[i] += p.colourRate[i] * dt;
  ClampColour(p.colour);
}

// Emits dt x EmitRate particles plus the carried fraction, the count rounded half to even.
// Never more than the free room is spawned, and the carry keeps only the fraction.
void TXParticleSystem::Emit(float dt) {
  const double wanted = static_cast<double>(dt) * params_.EmitRate + carry_;
  if (!std::isfinite(wanted)) {
    carry_ = 0;
    return;
  }
  const double whole = std::nearbyint(wanted);
  carry_ = static_cast<float>(wanted - whole);
  const double room = capacity_ - Count();
  const int n = static_cast<int>(std::clamp(whole, 0.0, room));
  if (points_.empty()) return;
  for (int i = 0; i < n; ++i) Spawn();
}

void TXParticleSystem::Update(float dt) {
  if (!std::isfinite(dt)) dt = 0;
  if (clock_ >= 0) {
    clock_ += dt;
    if (clock_ >= params_.Duration) clock_ = -1;
  }
  std::size_t kept = 0;
  for (TParticle& p : particles_) {
    p.age += dt;
    if (p.age >= p.life) continue;
    Advance(p, dt);
    particles_[kept++] = p;
  }
  particles_.resize(kept);
  if (clock_ >= 0) Emit(dt);
  previous_ = emitter_;
}

void TXParticleSystem::Render(TAsphyreCanvas& canvas, int offsetX, int offsetY, std::uint32_t colour) const {
  const TAsphyreImage* texture = manager_ != nullptr ? manager_->Texture() : nullptr;
  if (texture == nullptr) return;
  const TAsphyreDevice* device = canvas.Publisher();
  const float width = device ? static_cast<float>(device->Width()) : 0.0f;
  const float height = device ? static_cast<float>(device->Height()) : 0.0f;
  const float pw = static_cast<float>(texture->PatternWidth());
  const float ph = static_cast<float>(texture->PatternHeight());
  auto draw = [&](const TParticle& p) {
    const float x = static_cast<float>(offsetX) + p.position.x;
    const float y = static_cast<float>(offsetY) + p.position.y;
    if (x + p.scale * pw < 0 || y + p.scale * ph < 0 || x - p.scale * pw > width || y - p.scale * ph > height) return;
    canvas.DrawRot(texture, x, y, p.spin, p.scale, TruncatedPattern(p.pattern), colour & PackColour(p.colour),
                   params_.DrawEffect);
  };
  if (params_.ReverseOrder) {
    std::for_each(particles_.rbegin(), particles_.rend(), draw);
  } else {
    std::for_each(particles_.begin(), particles_.end(), draw);
  }
}

TXParticleManager::TXParticleManager(TAsphyreCanvas* canvas, TextureSource texture, RecordReader records)
    : canvas_(canvas), texture_(std::move(texture)), records_(std::move(records)) {}

TXParticleManager::~TXParticleManager() {
  for (TXParticleSystem* system : systems_) system->manager_ = nullptr;
}

std::optional<std::vector<std::uint8_t>> TXParticleManager::ReadRecord(const std::string& name) const {
  return records_ ? records_(name) : std::nullopt;
}

std::unique_ptr<TXParticleSystem> TXParticleManager::CreateSystem(int capacity) {
  auto system = std::make_unique<TXParticleSystem>(capacity);
  system->manager_ = this;
  systems_.push_back(system.get());
  return system;
}

}  // namespace ox::render
