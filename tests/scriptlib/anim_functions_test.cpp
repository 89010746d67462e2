// AnimStart, AnimPlay, AnimStop and AnimBreak on animations, and the events an animation runs
// as it plays, seen through the root's variables.
#include <gtest/gtest.h>

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/image.h"
#include "script_root_fixture.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::TOxElement;

struct AnimFunctions : ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    anim->Id = "Walk";
    TOxElement::CreateIn<TOxAnKey>(*anim)->SetCount(2);  // three frames, none of them drawn
    scene::AssignEvent(anim->exStart, "OXDB.LOG := OXDB.LOG + 'S'");
    scene::AssignEvent(anim->exAnim, "OXDB.LOG := OXDB.LOG + 'A' + IntToStr(POS)");
    scene::AssignEvent(anim->exStop, "OXDB.LOG := OXDB.LOG + 'E'");
    Run("LOG := ''");
  }
  std::string Log() { return Read("LOG").s; }

  TOxAnim* anim = TOxElement::CreateIn<TOxAnim>(root);
};

TEST_F(AnimFunctions, StartShowsAndPlaysFromTheFirstFrameThenStopsAtTheLast) {
  anim->SetVis(false);
  anim->SetFramePos(2);
  Run("AnimStart(WALK); N := WALK.COUNT");
  EXPECT_EQ(Log(), "S");
  EXPECT_EQ(Read("N").i, 3);
  EXPECT_EQ(anim->Pos(), 0);
  EXPECT_TRUE(anim->Active);
  EXPECT_TRUE(anim->Vis);
  for (int tick = 0; tick < 4; ++tick) anim->Process();
  EXPECT_EQ(Log(), "SA1A2E") << "a frame per tick, then exStop once";
  EXPECT_FALSE(anim->Active);
  EXPECT_EQ(anim->Pos(), 2) << "it stays on its last frame";
}

TEST_F(AnimFunctions, PlayContinuesAPausedAnimationAndRestartsAFinishedOne) {
  anim->SetFramePos(1);
  anim->SetVis(false);
  Run("AnimPlay(WALK)");
  EXPECT_EQ(anim->Pos(), 1);
  EXPECT_TRUE(anim->Active);
  EXPECT_TRUE(anim->Vis);
  anim->SetFramePos(2);
  Run("AnimPlay(WALK)");
  EXPECT_EQ(anim->Pos(), 0);
  EXPECT_EQ(Log(), "") << "AnimPlay runs no event";
}

TEST_F(AnimFunctions, StopBreakAndOtherElementsLeaveEverythingAsItWas) {
  auto* image = TOxElement::CreateIn<TOxImage>(*screen);
  image->Id = "Pic";
  anim->Active = true;
  anim->SetFramePos(1);
  Run("AnimStop(WALK); AnimBreak(WALK); AnimStart(MAIN.PIC); AnimPlay(MAIN.PIC); AnimStart(7); AnimStart()");
  EXPECT_TRUE(anim->Active);
  EXPECT_EQ(anim->Pos(), 1);
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace ox::scriptlib
