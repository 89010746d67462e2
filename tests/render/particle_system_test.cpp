// Particle arithmetic with the shared generator seeded fixed: emission counts and the carry,
// the two phases, the clamps, the mended divisions by zero, and drawing through a back end that
// records its draw calls.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "fake_backend.h"
#include "platform/core/random.h"
#include "render/particle_system.h"

namespace ox::render {
namespace {

// A system that emits for a long time and whose particles live long.
std::unique_ptr<TXParticleSystem> Emitting(float rate, float life = 100, int capacity = 5000) {
  auto s = std::make_unique<TXParticleSystem>(capacity);
  s->Params().EmitRate = rate;
  s->Params().Duration = 1000;
  s->Params().LifeA = s->Params().LifeB = life;
  s->Params().MiddleTime = 0.5f;
  s->Start();
  return s;
}

void ExpectFinite(const TParticle& p) {
  for (float v : {p.position.x, p.position.y, p.velocity.x, p.velocity.y, p.scale, p.scaleRate,
                  p.spin, p.spinRate, p.pattern}) {
    EXPECT_TRUE(std::isfinite(v));
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(std::isfinite(p.colour[i]));
    EXPECT_TRUE(std::isfinite(p.colourRate[i]));
  }
}

class ParticleSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SeedSharedRandom(1234); }
};

TEST_F(ParticleSystemTest, EmitRateTwoAndAHalfEmitsTwoThreeTwoThree) {
  auto s = Emitting(2.5f);
  std::vector<int> births;
  for (int i = 0; i < 6; ++i) {
    const int before = s->Count();
    s->Update(1);
    births.push_back(s->Count() - before);
  }
  EXPECT_EQ(births, (std::vector<int>{2, 3, 2, 3, 2, 3}));
}

// Ends the whole int range apart: the span does not wrap round, so the pattern still climbs.
TEST_F(ParticleSystemTest, APatternSpanWiderThanAnIntStillClimbs) {
  auto s = Emitting(1, 10);
  s->Params().FirstPattern = -2052034816;
  s->Params().LastPattern = 1610612990;
  s->Update(1);
  ASSERT_EQ(s->Count(), 1);
  EXPECT_GT(s->Particles()[0].patternRate, 0);
}

TEST_F(ParticleSystemTest, DurationZeroNeverEmitsAndTheClockEndsAtDuration) {
  auto never = Emitting(10);
  never->Params().Duration = 0;
  never->Start();
  EXPECT_EQ(never->EmitterClock(), -1);
  never->Update(1);
  EXPECT_EQ(never->Count(), 0);

  auto once = Emitting(10);
  once->Params().Duration = 1.5f;
  once->Start();
  once->Update(1);
  EXPECT_EQ(once->Count(), 10);
  once->Update(1);  // the clock reaches Duration before this update emits
  EXPECT_EQ(once->EmitterClock(), -1);
  EXPECT_EQ(once->Count(), 10);
}

TEST_F(ParticleSystemTest, CrossingTheMiddleTimeTurnsToTheEndValuesInThatUpdate) {
  auto s = Emitting(1, 1);
  s->Params().ScaleStart = 1;
  s->Params().ScaleMiddle = 2;
  s->Params().ScaleEnd = 0;
  s->Params().ColorStart = 0xFF000000;
  s->Params().ColorMiddle = 0xFF0000FF;
  s->Params().ColorEnd = 0xFF000000;
  s->Update(1);
  ASSERT_EQ(s->Count(), 1);
  EXPECT_FLOAT_EQ(s->Particles()[0].scaleRate, 2);  // (2 - 1) / 0.5
  EXPECT_FLOAT_EQ(s->Particles()[0].colourRate[0], 510);
  s->Stop(false);
  s->Update(0.6f);
  ASSERT_EQ(s->Count(), 1);
  const TParticle& p = s->Particles()[0];
  EXPECT_FLOAT_EQ(p.scale, 2.2f);
  EXPECT_FLOAT_EQ(p.scaleRate, -2.2f / 0.5f);
  // The colour turns before it moves in that update: from its birth value 0 toward the end 0.
  EXPECT_FLOAT_EQ(p.colourRate[0], 0);
  EXPECT_FLOAT_EQ(p.colour[0], 0);
  s->Update(0.5f);
  EXPECT_EQ(s->Count(), 0);
}

TEST_F(ParticleSystemTest, FullCapacityStopsEmissionUntilParticlesDieAndKeepsOnlyTheFraction) {
  auto s = Emitting(12.5f, 1.5f, 10);
  s->Update(1);  // 12.5 rounds to 12, only 10 fit; carry 0.5
  EXPECT_EQ(s->Count(), 10);
  s->Update(1);  // 13 wanted, no room; the carry is 0, not the 13 unborn
  EXPECT_EQ(s->Count(), 10);
  s->Update(0.6f);  // all die at age 1.6; 7.5 rounds to 8
  EXPECT_EQ(s->Count(), 8);
}

TEST_F(ParticleSystemTest, HugeEmissionFillsTheRoomAndLeavesAFiniteCarry) {
  auto s = Emitting(3e38f, 100, 50);
  s->Update(30);
  EXPECT_EQ(s->Count(), 50);
  s->Params().EmitRate = 0;
  s->Update(1);
  EXPECT_EQ(s->Count(), 50);
  s->Update(std::numeric_limits<float>::infinity());  // treated as no time
  EXPECT_EQ(s->Count(), 50);
}

TEST_F(ParticleSystemTest, ColoursAreHeldAt255AndAlphaAt254) {
  auto s = Emitting(200);
  s->Params().ColorStart = 0;
  s->Params().ColorMiddle = 0xFFFFFFFF;
  s->Params().ColorVariance = 10;
  s->Params().AlphaVariance = 10;
  s->Update(1);
  int clamped = 0;
  for (const TParticle& p : s->Particles()) {
    for (int i = 0; i < 3; ++i) EXPECT_LE(p.colour[i], 255);
    EXPECT_LE(p.colour[3], 255);
    if (p.colour[3] == 254) ++clamped;
  }
  EXPECT_GT(clamped, 100);
}

TEST_F(ParticleSystemTest, MiddleTimeZeroOrEqualToLifeReachesTheTargetsAtOnce) {
  auto zero = Emitting(1, 2);
  zero->Params().MiddleTime = 0;
  zero->Params().ScaleStart = 1;
  zero->Params().ScaleMiddle = 3;
  zero->Params().ScaleEnd = 1;
  zero->Params().ColorStart = 0xFF000000;
  zero->Params().ColorMiddle = 0xFFFFFFFF;
  zero->Update(1);
  ASSERT_EQ(zero->Count(), 1);
  EXPECT_EQ(zero->Particles()[0].scale, 3);
  EXPECT_FLOAT_EQ(zero->Particles()[0].scaleRate, -1);  // from 3 to 1 over its life of 2
  ExpectFinite(zero->Particles()[0]);

  auto whole = Emitting(1, 1);
  whole->Params().MiddleTime = 1;
  whole->Params().ScaleMiddle = 3;
  whole->Params().ScaleEnd = 5;
  whole->Params().LifeA = 1;
  whole->Params().LifeB = 2;
  whole->Update(1);
  whole->Stop(false);
  for (int i = 0; i < 30; ++i) {
    whole->Update(0.1f);
    for (const TParticle& p : whole->Particles()) ExpectFinite(p);
  }
}

TEST_F(ParticleSystemTest, MovingTheEmitterCarriesParticlesOnlyWhenAsked) {
  auto s = Emitting(5);
  s->Update(1);
  const TPoint2 before = s->Particles()[0].position;
  s->MoveTo({100, 50}, false);
  EXPECT_EQ(s->Particles()[0].position.x, before.x);
  s->MoveTo({110, 50}, true);
  EXPECT_FLOAT_EQ(s->Particles()[0].position.x, before.x + 10);
  EXPECT_FLOAT_EQ(s->Emitter().x, 110);

  // A still emitter spawns at itself; Restart puts its clock back to 0.
  auto at = Emitting(1);
  at->Restart({40, 30});
  at->Update(1);
  EXPECT_FLOAT_EQ(at->Particles()[0].position.x, 40);
  EXPECT_FLOAT_EQ(at->Particles()[0].position.y, 30);
  EXPECT_FLOAT_EQ(at->EmitterClock(), 1);
  at->Restart({0, 0});
  EXPECT_FLOAT_EQ(at->EmitterClock(), 0);
}

TEST_F(ParticleSystemTest, SpeedPointsDownAtDirectionZeroAndGravityPullsDown) {
  auto s = Emitting(1);
  s->Params().SpeedA = s->Params().SpeedB = 10;
  s->Params().GravityA = s->Params().GravityB = 1;
  s->Update(1);
  s->Stop(false);
  s->Update(1);
  const TParticle& p = s->Particles()[0];
  EXPECT_NEAR(p.velocity.x, 0, 1e-5);
  EXPECT_FLOAT_EQ(p.velocity.y, 20);  // 10 + 1 x 1 x 10
  EXPECT_FLOAT_EQ(p.position.y, 20);
}

TEST_F(ParticleSystemTest, NoEmissionPointMeansNoStartAndNoBirths) {
  auto s = std::make_unique<TXParticleSystem>(10);
  s->Params().Duration = 10;
  s->Params().EmitRate = 5;
  s->ClearEmissionPoints();
  s->Start();
  EXPECT_EQ(s->EmitterClock(), -1);
  const TPoint2 points[] = {{5, 0}, {5, 0}};
  s->AddEmissionPoints(points);
  s->Start();
  s->Update(1);
  ASSERT_EQ(s->Count(), 5);
  EXPECT_FLOAT_EQ(s->Particles()[0].position.x, 5);
}

std::vector<std::uint8_t> Block(std::size_t size) { return std::vector<std::uint8_t>(size, 0); }

void PutU32(std::vector<std::uint8_t>& b, std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutF32(std::vector<std::uint8_t>& b, std::size_t offset, float v) { PutU32(b, offset, std::bit_cast<std::uint32_t>(v)); }

TEST(ParticleParamsTest, ReadsEveryFieldAtItsOffsetAndZeroesWhatIsMissingOrNotFinite) {
  std::vector<std::uint8_t> b = Block(136);
  PutU32(b, 0, 3);
  PutU32(b, 4, 0xFFFFFFFF);
  PutU32(b, 12, 0x000104);
  PutF32(b, 16, 2.5f);
  PutF32(b, 20, std::numeric_limits<float>::quiet_NaN());
  b[40] = 1;
  PutF32(b, 88, std::numeric_limits<float>::infinity());
  PutU32(b, 116, 0x12345678);
  PutF32(b, 128, 0.25f);
  b[132] = 1;
  const TParticleParams p = ReadParticleParams(b);
  EXPECT_EQ(p.FirstPattern, 3);
  EXPECT_EQ(p.LastPattern, -1);
  EXPECT_EQ(p.DrawEffect, 0x000104u);
  EXPECT_EQ(p.EmitRate, 2.5f);
  EXPECT_EQ(p.Duration, 0);
  EXPECT_TRUE(p.FollowMotion);
  EXPECT_EQ(p.ScaleVariance, 0);
  EXPECT_EQ(p.ColorEnd, 0x12345678u);
  EXPECT_EQ(p.MiddleTime, 0.25f);
  EXPECT_TRUE(p.ReverseOrder);

  const TParticleParams shortBlock = ReadParticleParams(std::span(b).first(18));
  EXPECT_EQ(shortBlock.DrawEffect, 0x000104u);
  EXPECT_EQ(shortBlock.EmitRate, 0);  // only two of its four bytes were there
  EXPECT_FALSE(shortBlock.ReverseOrder);

  auto s = std::make_unique<TXParticleSystem>(1);
  EXPECT_FALSE(s->LoadFromStream({}));
  EXPECT_TRUE(s->LoadFromStream(std::span(b).first(1)));
  EXPECT_FALSE(s->LoadFromFile("no such effect file"));
}

TEST(ParticleParamsTest, WritesTheBlockThatReadsBackAsTheSameParameters) {
  TParticleParams p;
  p.FirstPattern = 2;
  p.LastPattern = -1;
  p.DrawEffect = 0x000104;
  p.EmitRate = 40;
  p.Duration = 1e6f;
  p.LifeA = 1.5f;
  p.LifeB = 3;
  p.Direction = 3.14159f;
  p.Spread = -0.5f;
  p.FollowMotion = true;
  p.SpeedA = 20, p.SpeedB = 60, p.GravityA = -3, p.GravityB = 2, p.RadialA = 1, p.RadialB = 4;
  p.TangentialA = 5, p.TangentialB = 6, p.ScaleStart = 0.25f, p.ScaleMiddle = 1, p.ScaleEnd = 0.125f;
  p.ScaleVariance = 0.5f, p.SpinStart = 7, p.SpinMiddle = 8, p.SpinEnd = 9, p.SpinVariance = 0.75f;
  p.ColorStart = 0xFF40C0FF, p.ColorMiddle = 0x80102030, p.ColorEnd = 0x00000001;
  p.ColorVariance = 0.3f, p.AlphaVariance = 0.4f, p.MiddleTime = 0.6f;
  p.ReverseOrder = true;
  const auto block = WriteParticleParams(p);
  EXPECT_EQ(block[116], 0x01) << "ColorEnd is stored little-endian at its offset";
  EXPECT_EQ(block[8] | block[41] | block[133], 0) << "unused bytes stay zero";
  EXPECT_EQ(ReadParticleParams(block), p);
}

class ParticleRenderTest : public ParticleSystemTest {
 protected:
  void SetUp() override {
    ParticleSystemTest::SetUp();
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    ASSERT_TRUE(device.Initialize());
    std::vector<std::uint32_t> pixels(32 * 16, 0xFFFFFFFF);
    ASSERT_TRUE(texture.LoadFromBitmap(pixels, 32, 16, 2, 1));
  }
  // Quads drawn since the last call.
  std::vector<Vertex> Drawn() {
    canvas.Flush();
    std::vector<Vertex> all;
    for (const auto& d : backend.draws) all.insert(all.end(), d.vertices.begin(), d.vertices.end());
    backend.draws.clear();
    return all;
  }

  testing::FakeBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  TAsphyreImage texture{backend};
  TXParticleManager manager{&canvas, [this]() -> const TAsphyreImage* { return &texture; }};
};

// A life so short that the pattern rate is infinite, and a zero step: the pattern is no number,
// and the particle still draws (as pattern 0).
TEST_F(ParticleRenderTest, AParticleWhosePatternIsNoNumberDrawsAsPatternZero) {
  auto s = manager.CreateSystem(10);
  s->Params() = Emitting(1, std::numeric_limits<float>::denorm_min())->Params();
  s->Params().LastPattern = 1;
  s->Params().ScaleStart = s->Params().ScaleMiddle = s->Params().ScaleEnd = 1;
  s->Start();
  s->Update(1);
  ASSERT_EQ(s->Count(), 1);
  s->Update(0);
  ASSERT_TRUE(std::isnan(s->Particles()[0].pattern));
  s->Render(canvas, 10, 20, 0xFFFFFFFF);
  EXPECT_EQ(Drawn().size(), 4u);
}

TEST_F(ParticleRenderTest, DrawsLiveParticlesOffsetCulledAndInTheirOrder) {
  auto s = manager.CreateSystem(10);
  s->Params() = Emitting(1)->Params();
  s->Params().ScaleStart = s->Params().ScaleMiddle = s->Params().ScaleEnd = 1;
  s->Params().ColorStart = s->Params().ColorMiddle = 0x80FFFFFF;
  s->Start();
  s->Update(1);  // born at (0, 0)
  s->MoveTo({100, 0}, false);
  s->Update(0);  // nothing born; the emitter has arrived
  s->Update(1);  // born at (100, 0)
  s->Render(canvas, 10, 20, 0xFF00FF00);
  std::vector<Vertex> v = Drawn();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_NEAR((v[0].x + v[2].x) / 2, 10 - 0.5f, 0.01f);  // oldest first, half-pixel shifted
  EXPECT_NEAR((v[4].x + v[6].x) / 2, 110 - 0.5f, 0.01f);
  EXPECT_NEAR((v[0].y + v[2].y) / 2, 20 - 0.5f, 0.01f);
  EXPECT_EQ(v[0].colour, 0x8000FF00u);  // the mask ANDed with the particle's colour

  s->Params().ReverseOrder = true;
  s->Render(canvas, 0, 0, 0xFFFFFFFF);
  v = Drawn();
  ASSERT_EQ(v.size(), 8u);
  EXPECT_NEAR((v[0].x + v[2].x) / 2, 100 - 0.5f, 0.01f);

  s->Render(canvas, -115, 0, 0xFFFFFFFF);  // -115 + 16 < 0 is culled; -15 + 16 is not
  EXPECT_EQ(Drawn().size(), 4u);
  s->Render(canvas, 0, 768 + 17, 0xFFFFFFFF);
  EXPECT_EQ(Drawn().size(), 0u);
}

TEST_F(ParticleRenderTest, NoTextureOrNoManagerDrawsNothing) {
  auto s = manager.CreateSystem(10);
  s->Params() = Emitting(3)->Params();
  s->Start();
  s->Update(1);
  {
    TXParticleManager none(&canvas, [] { return static_cast<const TAsphyreImage*>(nullptr); });
    auto t = none.CreateSystem(10);
    t->Params() = s->Params();
    t->Start();
    t->Update(1);
    t->Render(canvas, 0, 0, 0xFFFFFFFF);
    EXPECT_TRUE(Drawn().empty());
    auto orphan = none.CreateSystem(10);
    orphan->Params() = s->Params();
    s.swap(orphan);
  }
  s->Start();
  s->Update(1);
  s->Render(canvas, 0, 0, 0xFFFFFFFF);  // its manager is gone
  EXPECT_TRUE(Drawn().empty());
}

}  // namespace
}  // namespace ox::render
