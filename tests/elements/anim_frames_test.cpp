// Frame tables of animations: straight motion between keys, the last key standing still,
// looping back to the first key, cross-fades, direction patterns, which actors move together
// and which follow a smooth path, and what scripts read of the current frame.
#include <unistd.h>

#include <filesystem>
#include <limits>

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/image.h"
#include "hit_fixture.h"
#include "picture_fixture.h"
#include "scene/game_file_reader.h"
#include "scene/saved_state.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

struct AnimFrames : HitFixture {
  void SetUp() override {
    HitFixture::SetUp();
    pictures.PutOpaque("a.bmp", 10, 20);
    pictures.PutOpaque("b.bmp", 30, 40);
    anim->SetPos(30, 40);
  }
  TOxAnKey* Key(std::uint16_t count, bool morph = false) {
    auto* key = TOxElement::CreateIn<TOxAnKey>(*anim);
    key->SetCount(count);
    key->Morph = morph;
    return key;
  }
  // An actor whose top-left corner is at (x, y) in the animation.
  static TOxImage* Actor(TOxAnKey& key, const std::string& id, const std::string& picture,
                         std::int32_t x, std::int32_t y = 0) {
    auto* image = TOxElement::CreateIn<TOxImage>(key);
    image->Id = id;
    image->SetImImage(picture);
    image->SetPos(x, y);
    return image;
  }
  std::vector<FrameEntry> Frame(std::int32_t frame) {
    std::vector<FrameEntry> entries;
    anim->Frames().Frame(frame, entries);
    return entries;
  }
  double Read(const std::string& name) {
    script::Value v;
    EXPECT_TRUE(anim->GetVar(name, v)) << name;
    return v.kind == script::Kind::Float ? v.f : static_cast<double>(v.i);
  }

  testing::PictureStore pictures;
  TOxAnim* anim = TOxElement::CreateIn<TOxAnim>(root);
};

TEST_F(AnimFrames, ActorsMoveInEqualStepsAndTheLastKeyStandsStill) {
  Actor(*Key(9), "Car", "a.bmp", 0, 0)->SetHxTrans(100);
  Actor(*Key(4), "car", "a.bmp", 100, 50)->SetHxTrans(200);
  anim->Rebuild();
  ASSERT_EQ(anim->FrameCount(), 15);
  for (std::int32_t f = 0; f < 10; ++f) {
    const std::vector<FrameEntry> frame = Frame(f);
    ASSERT_EQ(frame.size(), 1u) << f;
    EXPECT_DOUBLE_EQ(frame[0].x, 10.0 * f + 5) << "a tenth of the way per frame, plus half the width";
    EXPECT_DOUBLE_EQ(frame[0].y, 5.0 * f + 10);
    EXPECT_EQ(frame[0].colour >> 24, static_cast<std::uint32_t>(100 + 10 * f));
    EXPECT_EQ(frame[0].keyMarker, f == 0 ? -1 : 0);
    EXPECT_EQ(frame[0].step, f);
    EXPECT_EQ(frame[0].actorId, "Car");
  }
  for (std::int32_t f = 10; f < 15; ++f) {
    const std::vector<FrameEntry> frame = Frame(f);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_DOUBLE_EQ(frame[0].x, 105.0) << "no next key: the actor stands still";
    EXPECT_EQ(frame[0].keyMarker, f == 10 ? -2 : 1);
  }
  EXPECT_TRUE(Frame(15).empty());
  EXPECT_TRUE(Frame(-1).empty());
}

TEST_F(AnimFrames, RepMovesTheLastKeyBackToTheFirstAndWrapsPos) {
  Actor(*Key(9), "Car", "a.bmp", 0);
  Actor(*Key(4), "Car", "a.bmp", 100);
  anim->Rep = true;
  anim->Rebuild();
  for (std::int32_t f = 10; f < 15; ++f) EXPECT_DOUBLE_EQ(Frame(f)[0].x, 100 - 20.0 * (f - 10) + 5);
  anim->SetFramePos(14);
  anim->Active = true;
  anim->Process();
  EXPECT_EQ(anim->Pos(), 0);
  EXPECT_TRUE(anim->Active);
  anim->SetFramePos(99);
  EXPECT_EQ(anim->Pos(), 0);

  anim->Rep = false;
  anim->SetFramePos(99);
  EXPECT_EQ(anim->Pos(), 14);
  anim->Process();
  EXPECT_FALSE(anim->Active) << "stops on its last frame";
  EXPECT_EQ(anim->Pos(), 14);
  anim->SetFramePos(-5);
  EXPECT_EQ(anim->Pos(), -5) << "negative positions stay";
}

TEST_F(AnimFrames, AnEmptyAnimationHasNoFramesAndAPosOfMinusOne) {
  anim->Rebuild();
  EXPECT_EQ(anim->FrameCount(), 0);
  EXPECT_EQ(anim->Pos(), -1);
  Key(3);
  Actor(*Key(2), "x", "missing.bmp", 0);
  EXPECT_EQ(anim->FrameCount(), 7) << "keys without usable images still count their frames";
  EXPECT_TRUE(Frame(5).empty());
}

TEST_F(AnimFrames, AnInvisibleAnimationIsNotAdvanced) {
  Actor(*Key(4), "Car", "a.bmp", 0);
  anim->SetFramePos(0);
  anim->Active = true;
  anim->SetVis(false);
  anim->Process();
  EXPECT_EQ(anim->Pos(), 0);
  anim->SetVis(true);
  anim->Process();
  EXPECT_EQ(anim->Pos(), 1);
}

TEST_F(AnimFrames, AChangedPictureCrossFadesWithMorph) {
  TOxImage* old = Actor(*Key(10, true), "Car", "a.bmp", 0);
  TOxImage* next = Actor(*Key(0), "Car", "b.bmp", 100, 10);
  old->SetHxTrans(200);
  next->SetHxTrans(100);
  next->SetScale(2);
  anim->Rebuild();
  const auto alphas = [this](std::int32_t f) {
    const std::vector<FrameEntry> frame = Frame(f);
    EXPECT_EQ(frame.size(), 2u);
    return std::pair{frame[0].colour >> 24, frame[1].colour >> 24};
  };
  EXPECT_EQ(alphas(0), std::pair(200u, 0u));
  EXPECT_EQ(alphas(3), std::pair(185u, 52u)) << "200 (255 - 3 32/5) / 255, 100 (3 223/5) / 255";
  EXPECT_EQ(alphas(5), std::pair(175u, 87u)) << "T 223/255 and P 223/255 at half";
  EXPECT_EQ(alphas(7), std::pair(105u, 92u));
  EXPECT_EQ(alphas(10), std::pair(0u, 100u));
  const std::vector<FrameEntry> frame = Frame(4);
  EXPECT_DOUBLE_EQ(frame[0].x, 5.0) << "the old picture stands at its key";
  EXPECT_EQ(frame[0].pictureName, "A.BMP");
  EXPECT_DOUBLE_EQ(frame[1].x, 100 + 30.0) << "the new one at its own key, its own size and scale";
  EXPECT_DOUBLE_EQ(frame[1].y, 10 + 40.0);
  EXPECT_DOUBLE_EQ(frame[1].scale, 2.0);
  EXPECT_EQ(frame[1].pictureName, "B.BMP");

  anim->Children()[0]->SetVar("MORPH", script::Value::Bool(false));
  anim->Rebuild();
  ASSERT_EQ(Frame(4).size(), 1u) << "without Morph the picture switches at the next key";
  EXPECT_EQ(Frame(4)[0].colour >> 24, 200u);
  EXPECT_EQ(Frame(11)[0].pictureName, "B.BMP");
}

TEST_F(AnimFrames, AMorphKeyOfOneFrameSwitchesAtOnce) {
  Actor(*Key(0, true), "Car", "a.bmp", 0)->SetHxTrans(200);
  Actor(*Key(0), "Car", "a.bmp", 0)->SetAnim(1);
  anim->Rebuild();
  const std::vector<FrameEntry> frame = Frame(0);
  ASSERT_EQ(frame.size(), 2u) << "a changed pattern cross-fades as a changed picture does";
  EXPECT_EQ(frame[0].colour >> 24, 0u);
  EXPECT_EQ(frame[1].colour >> 24, 255u);
  EXPECT_EQ(frame[1].pattern, 1);
}

TEST_F(AnimFrames, SixteenDirectionPatternsFollowTheTotalAngle) {
  TOxAnKey* key = Key(0);
  Actor(*key, "", "a.bmp", 0)->SetAnim(-1);
  TOxImage* plain = Actor(*key, "", "a.bmp", 0);
  plain->SetAngle(30);
  struct Case {
    long double angle;
    std::int32_t pattern;
    double remainder;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{22.5L, 1, 0}, Case{100, 4, 10}, Case{359.99L, 15, 22.49},
                        Case{-0.0001L, 0, 0}, Case{-0.001L, 15, 22.499}, Case{720 + 45, 2, 0},
                        Case{std::numeric_limits<long double>::quiet_NaN(), 0, 0}}) {
    anim->Angle = c.angle;
    anim->Rebuild();
    const std::vector<FrameEntry> frame = Frame(0);
    ASSERT_EQ(frame.size(), 2u);
    EXPECT_EQ(frame[0].pattern, c.pattern) << static_cast<double>(c.angle);
    EXPECT_NEAR(frame[0].angle, c.remainder, 1e-9) << static_cast<double>(c.angle);
    EXPECT_EQ(frame[1].pattern, 0);
    EXPECT_DOUBLE_EQ(frame[1].angle, 30.0) << "other patterns keep their angle";
  }
}

TEST_F(AnimFrames, ASavedStateRebuildsTheTableOnceItIsApplied) {
  root.Key = 1;
  current->Key = 2;
  anim->Key = 3;
  Actor(*Key(0), "", "a.bmp", 0)->SetAnim(-1);
  anim->Angle = 100;
  const auto file = std::filesystem::temp_directory_path() / ("oxplayer-anim-" + std::to_string(getpid()) + ".sav");
  ASSERT_TRUE(scene::SaveState(root, file));
  anim->Angle = 0;
  anim->Rebuild();
  ASSERT_EQ(Frame(0)[0].pattern, 0);
  scene::LoadState(root, file);
  std::filesystem::remove(file);
  EXPECT_EQ(Frame(0)[0].pattern, 4) << "built from the restored Angle of 100 degrees";
  EXPECT_FALSE(scene::IsReadingRecords());
}

TEST_F(AnimFrames, ActorsMatchWithoutCaseButPathsByExactId) {
  anim->Interpol = true;
  Actor(*Key(9), "Car", "a.bmp", 0);
  Actor(*Key(9), "CAR", "a.bmp", 100);
  anim->Rebuild();
  EXPECT_DOUBLE_EQ(Frame(5)[0].x, 55.0) << "one knot per spelling: no path, a straight line";

  Actor(*Key(0), "Car", "a.bmp", 40);
  anim->Rebuild();
  EXPECT_DOUBLE_EQ(Frame(5)[0].x, 5 + 2.0 * 5) << "Car follows its path through 5 and 45";
  EXPECT_DOUBLE_EQ(Frame(15)[0].x, 100 - 6.0 * 5 + 5) << "CAR moves straight toward Car";

  static_cast<TOxImage*>(anim->Children()[0]->Children()[0].get())->Interpol = false;
  anim->Rebuild();
  EXPECT_DOUBLE_EQ(Frame(5)[0].x, 55.0) << "an image may keep to straight lines";
}

TEST_F(AnimFrames, UnnamedActorsStandStillAndActorsMissingNextAreLeftOut) {
  TOxAnKey* first = Key(9);
  Actor(*first, "", "a.bmp", 0);
  Actor(*first, "Dog", "a.bmp", 0);
  Actor(*first, "Cat", "missing.bmp", 0);
  TOxAnKey* second = Key(0);
  Actor(*second, "", "a.bmp", 100);
  Actor(*second, "Cow", "a.bmp", 100);
  anim->Rebuild();
  const std::vector<FrameEntry> frame = Frame(5);
  ASSERT_EQ(frame.size(), 1u) << "Dog is not in the next key, Cat has no picture";
  EXPECT_DOUBLE_EQ(frame[0].x, 5.0);
  EXPECT_EQ(Frame(10).size(), 2u) << "the last key shows all it holds";
}

TEST_F(AnimFrames, ScriptsReadTheCurrentFrame) {
  TOxAnKey* key = Key(9);
  Actor(*key, "Car", "a.bmp", 0)->SetScale(2);
  Actor(*key, "Dog", "b.bmp", 7, 3)->SetAnim(2);
  TOxAnKey* last = Key(0);
  Actor(*last, "Car", "a.bmp", 100)->SetScale(2);
  Actor(*last, "Dog", "b.bmp", 7, 3)->SetAnim(2);
  anim->Rebuild();
  anim->SetFramePos(5);
  EXPECT_EQ(Read("COUNT"), 11);
  EXPECT_DOUBLE_EQ(Read("KEYX"), 30 + 50 + 10.0);
  EXPECT_DOUBLE_EQ(Read("KEYY"), 40 + 20.0);
  EXPECT_DOUBLE_EQ(Read("KEYSCALE"), 2.0);
  EXPECT_DOUBLE_EQ(Read("KEYANG"), 0.0);
  EXPECT_DOUBLE_EQ(Read("KEYX[2]"), 30 + 7 + 15.0);
  EXPECT_DOUBLE_EQ(Read("KEYY[2]"), 40 + 3 + 20.0);
  EXPECT_EQ(Read("KEYAN"), 0);
  for (const char* outside : {"KEYX[0]", "KEYX[3]", "KEYY[-1]", "KEYX[two]", "KEYX[]"}) {
    EXPECT_EQ(Read(outside), 0.0) << outside;
  }
  anim->SetFramePos(-1);
  EXPECT_EQ(Read("KEYX"), 0.0);
  script::Value v;
  EXPECT_FALSE(anim->GetVar("KEYZ", v));
}

}  // namespace
}  // namespace ox::elements
