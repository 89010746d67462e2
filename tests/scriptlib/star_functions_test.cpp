// AddStar, ImStarsR and the effect functions called from scripts.
#include <gtest/gtest.h>

#include "elements/drawing.h"
#include "elements/effect.h"
#include "elements/image.h"
#include "pictured_root_fixture.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::TOxElement;

struct StarFunctions : PicturedRootTest<11> {
  void SetUp() override {
    PicturedRootTest::SetUp();
    // Opaque on its left half, transparent on its right.
    pictures.Put("half.bmp", 8, 4, [](int x, int) { return x < 4 ? 0xFF102030u : 0x00000000u; });
    image->Id = "Pic";
    image->SetImImage("half.bmp");
    image->SetPos(100, 50);
  }
  const scene::StarPool& Stars() { return root.Stars(); }

  TOxImage* image = TOxElement::CreateIn<TOxImage>(*screen);
};

TEST_F(StarFunctions, AddStarTakesEightToTwelveArgumentsWithItsDefaults) {
  EXPECT_NE(Errors("AddStar(1, 2, 3, 4, 5, 6, 7)").find("Invalid parameters, function ADDSTAR"), std::string::npos);
  EXPECT_EQ(Stars().LiveCount(), 0u);
  Run("R := AddStar(1, 2, 3, 4, 5, 6, 7, 8)");
  EXPECT_EQ(Read("R").kind, script::Kind::UInt8);
  const scene::TStar& s = Stars().Slots()[0];
  EXPECT_EQ(s.layer, 1000);
  EXPECT_EQ(s.effect, 260);
  EXPECT_EQ(s.pattern, 0);
  EXPECT_DOUBLE_EQ(s.angle, 1);
  EXPECT_DOUBLE_EQ(s.x, 2);
  EXPECT_DOUBLE_EQ(s.ySpeed, 8);
  Run("AddStar(0, 0, 0, 1, 0, 0, 0, 0, 4, '255', 3, 7)");
  EXPECT_EQ(Stars().Slots()[1].colour, 255u);
  EXPECT_EQ(Stars().Slots()[1].pattern, 4);
  EXPECT_EQ(Stars().Slots()[1].layer, 3);
  EXPECT_EQ(Stars().Slots()[1].effect, 7);
  EXPECT_NE(Errors("AddStar('x', 0, 0, 1, 0, 0, 0, 0)").find("ADDSTAR"), std::string::npos);
  EXPECT_EQ(Stars().LiveCount(), 2u);
}

TEST_F(StarFunctions, ImStarsRPutsStarsOnlyOnTexelsOfEnoughAlpha) {
  Run("ImStarsR(MAIN.PIC, 200, 128, 1, 50, -0.1, 0, 2, 0, -1, 5, '65280', 2)");
  ASSERT_GT(Stars().LiveCount(), 50u);
  for (const scene::TStar& s : Stars().Slots()) {
    if (!s.active) continue;
    EXPECT_GE(s.x, 100);
    EXPECT_LT(s.x, 104) << "only the opaque left half";
    EXPECT_GE(s.scale, 1);
    EXPECT_LT(s.scale, 1.5);
    EXPECT_EQ(s.colour, 65280u);
    EXPECT_EQ(s.layer, 2);
    EXPECT_EQ(s.effect, 260);
  }
  EXPECT_EQ(Errors("ImStarsR(MAIN.PIC, 5, 0); ImStarsR(MAIN, 5, 0, 1, 0, 0, 0, 0, 0, 0); "
                   "ImStarsR(MAIN.PIC, 'many', 0, 1, 0, 0, 0, 0, 0, 0)"),
            "");
}

struct EffectFunctions : ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    SetParticleManager(&manager);
    effect->Id = "Fx";
    effect->SetEffectFN("none.eff");
    auto& p = effect->System()->Params();
    p.EmitRate = 10;
    p.Duration = 100;
    p.LifeA = p.LifeB = 50;
    effect->DAnim = 30;
    scene::AssignEvent(effect->exStart, "OXDB.STARTED := 1");
  }
  void TearDown() override {
    SetParticleManager(nullptr);
    ScriptRootTest::TearDown();
  }
  render::TXParticleManager manager{nullptr, [] { return static_cast<const render::TAsphyreImage*>(nullptr); }};
  TOxEffect* effect = TOxElement::CreateIn<TOxEffect>(*screen);
};

TEST_F(EffectFunctions, StartRunsExStartProcEfAdvancesStopAndBreakEndIt) {
  root.EnsureVars().AddVar({"STARTED", script::Value::Int32(0)});
  Run("AnimStart(MAIN.FX); R := ProcEf(MAIN.FX, 2)");
  EXPECT_TRUE(effect->Active());
  EXPECT_EQ(Read("STARTED").i, 1);
  EXPECT_EQ(Read("R").kind, script::Kind::UInt8);
  EXPECT_EQ(effect->System()->Count(), 20) << "two ticks at 30: two effect seconds";
  Run("AnimStop(MAIN.FX)");
  EXPECT_FALSE(effect->Active());
  EXPECT_EQ(effect->System()->Count(), 20);
  Run("AnimBreak(MAIN.FX)");
  EXPECT_EQ(effect->System()->Count(), 0);
  Run("AnimStart(MAIN); AnimStop(5); R2 := ProcEf(MAIN, 1); R3 := ProcEf(MAIN.FX)");
  EXPECT_EQ(Read("R2").kind, script::Kind::UInt8) << "any element gives the result";
  EXPECT_EQ(Read("R3").kind, script::Kind::Empty);
}

}  // namespace
}  // namespace ox::scriptlib
