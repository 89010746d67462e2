// The effect element around its particle system: the time factor, moving, starting and
// stopping, and deactivating itself once its emission has ended and its particles are gone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "elements/drawing.h"
#include "elements/effect.h"
#include "elements/register_classes.h"
#include "platform/core/random.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"

namespace ox::elements {
namespace {

struct EffectTest : ::testing::Test {
  void SetUp() override {
    RegisterElementClasses();
    platform::SeedSharedRandom(5);
    SetParticleManager(&manager);
    effect->SetEffectFN("smoke.eff");  // no such file: empty parameters
    render::TParticleParams& p = effect->System()->Params();
    p.EmitRate = 10;
    p.Duration = 100;
    p.LifeA = p.LifeB = 5;
    p.MiddleTime = 0.5f;
  }
  void TearDown() override { SetParticleManager(nullptr); }
  render::TXParticleSystem& System() { return *effect->System(); }

  render::TXParticleManager manager{nullptr, [] { return static_cast<const render::TAsphyreImage*>(nullptr); }};
  scene::TOxDB root;
  TOxEffect* effect = scene::TOxElement::CreateIn<TOxEffect>(root);
};

TEST_F(EffectTest, DAnimZeroFreezesAndThirtyAdvancesOneSecondATick) {
  effect->SetActive(true);
  for (int i = 0; i < 5; ++i) effect->Process();
  EXPECT_EQ(System().Count(), 0);
  EXPECT_EQ(System().EmitterClock(), 0);
  EXPECT_TRUE(effect->Active()) << "a frozen effect never deactivates itself";

  effect->DAnim = 30;
  effect->Process();
  EXPECT_EQ(System().Count(), 10);
  EXPECT_FLOAT_EQ(System().EmitterClock(), 1);

  effect->DAnim = std::numeric_limits<double>::quiet_NaN();
  effect->Process();
  EXPECT_FLOAT_EQ(System().EmitterClock(), 1) << "a time factor that is no number counts as 0";
  for (const render::TParticle& p : System().Particles()) EXPECT_TRUE(std::isfinite(p.position.x));
}

TEST_F(EffectTest, SetPosRestartsTheClockOfAnActiveEffectAndXDoesNot) {
  effect->DAnim = 30;
  effect->SetActive(true);
  effect->Process();
  effect->SetX(40);
  EXPECT_FLOAT_EQ(System().EmitterClock(), 1);
  EXPECT_FLOAT_EQ(System().Emitter().x, 40);
  effect->SetPos(50, 60);
  EXPECT_FLOAT_EQ(System().EmitterClock(), 0);
  EXPECT_FLOAT_EQ(System().Emitter().y, 60);

  effect->SetActive(false);
  effect->SetPos(70, 80);
  EXPECT_EQ(System().EmitterClock(), -1) << "an inactive effect only moves";
  EXPECT_FLOAT_EQ(System().Emitter().x, 70);
}

TEST_F(EffectTest, BreakClearsAtOnceAndStopLetsParticlesLiveOut) {
  effect->DAnim = 30;
  effect->SetActive(true);
  effect->Process();
  effect->AnimStop();
  EXPECT_FALSE(effect->Active());
  EXPECT_EQ(System().Count(), 10);
  effect->Process();
  EXPECT_EQ(System().Count(), 10) << "no new births, the old ones live on";

  effect->AnimStart("Test");
  EXPECT_TRUE(effect->Active());
  effect->AnimBreak();
  EXPECT_FALSE(effect->Active());
  EXPECT_EQ(System().Count(), 0);
}

TEST_F(EffectTest, AnEffectWhoseEmissionEndedDeactivatesOnceItsParticlesAreGone) {
  System().Params().Duration = 1.5f;
  System().Params().LifeA = System().Params().LifeB = 0.5f;
  effect->DAnim = 30;
  effect->Vis = false;  // hidden effects run as well
  effect->SetActive(true);
  effect->Process();  // clock 1, ten born
  EXPECT_TRUE(effect->Active());
  effect->Process();  // clock passes 1.5, the ten die
  EXPECT_FALSE(effect->Active());
}

TEST_F(EffectTest, ANewEffectFileReplacesTheSystemAndNoManagerMeansNoSystem) {
  effect->DAnim = 30;
  effect->SetPos(10, 20);
  effect->SetActive(true);
  effect->Process();
  effect->SetEffectFN("other.eff");
  EXPECT_EQ(System().Count(), 0);
  EXPECT_FLOAT_EQ(System().Emitter().x, 10);

  SetParticleManager(nullptr);
  TOxEffect* bare = scene::TOxElement::CreateIn<TOxEffect>(root);
  bare->SetEffectFN("smoke.eff");
  EXPECT_EQ(bare->EffectFN(), "smoke.eff");
  EXPECT_EQ(bare->System(), nullptr);
  bare->SetActive(true);
  bare->Process();
  EXPECT_TRUE(bare->Active()) << "no system ends it";
  bare->AnimBreak();
  EXPECT_FALSE(bare->Active());
}

}  // namespace
}  // namespace ox::elements
