// Where animations and animation references draw: the current frame at the animation's place,
// the keys themselves without ShowAn, and each reference its own frame at its own place.
#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/ex_anim.h"
#include "elements/image.h"
#include "hit_fixture.h"
#include "picture_fixture.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

struct AnimDrawing : HitFixture {
  void SetUp() override {
    HitFixture::SetUp();
    pictures.PutOpaque("a.bmp", 10, 20);
    pictures.PutOpaque("back.bmp", 200, 100);
    anim->Key = 77;
    anim->SetPos(30, 40);
    anim->ShowAn = true;
    auto* first = TOxElement::CreateIn<TOxAnKey>(*anim);
    first->SetCount(9);
    Actor(*first, 0);
    Actor(*TOxElement::CreateIn<TOxAnKey>(*anim), 100);
    anim->Rebuild();
  }
  static TOxImage* Actor(TOxAnKey& key, std::int32_t x) {
    auto* image = TOxElement::CreateIn<TOxImage>(key);
    image->Id = "Car";
    image->SetImImage("a.bmp");
    image->SetPos(x, 0);
    return image;
  }
  TOxExAnim* Reference(std::int32_t x, std::int32_t y) {
    auto* ref = TOxElement::CreateIn<TOxExAnim>(*current);
    ref->SetObAnim(77);
    ref->SetPos(x, y);
    return ref;
  }
  // The left edges of the quads drawn since the last call.
  std::vector<float> Lefts() {
    std::vector<float> lefts;
    const std::vector<render::Vertex> drawn = pictures.Drawn();
    for (std::size_t i = 0; i + 4 <= drawn.size(); i += 4) lefts.push_back(drawn[i].x);
    pictures.backend.draws.clear();
    return lefts;
  }

  testing::PictureStore pictures;
  TOxAnim* anim = TOxElement::CreateIn<TOxAnim>(root);
};

TEST_F(AnimDrawing, TheCurrentFrameIsDrawnAtTheAnimationsPlaceOverItsBackground) {
  anim->SetFramePos(5);
  anim->Render(0, 0xFFFFFFFF, 1, 2, 0);
  EXPECT_EQ(Lefts(), (std::vector<float>{1 + 30 + 50 - 0.5f})) << "halfway to the next key";
  anim->Render(1, 0xFFFFFFFF, 1, 2, 0);
  EXPECT_TRUE(Lefts().empty()) << "only on its own layer";

  anim->SetImBack("back.bmp");
  EXPECT_EQ(anim->GetSizeX(), 200);
  anim->Render(0, 0x80FFFFFF, 1, 2, 0);
  const std::vector<render::Vertex> drawn = pictures.Drawn();
  ASSERT_EQ(drawn.size(), 8u);
  EXPECT_FLOAT_EQ(drawn[0].x, 1 + 30 - 0.5f) << "the background first, at the frame's origin";
  EXPECT_EQ(drawn[0].colour >> 24, 0x80u) << "the tint reaches the background";
  EXPECT_EQ(drawn[4].colour >> 24, 0xFFu) << "but not the actors";
}

TEST_F(AnimDrawing, WithoutShowAnEveryKeyIsDrawnTheFirstUppermost) {
  anim->ShowAn = false;
  anim->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(Lefts(), (std::vector<float>{130 - 0.5f, 30 - 0.5f}));
}

TEST_F(AnimDrawing, ReferencesPlayOneAnimationAtTheirOwnPlacesAndFrames) {
  TOxExAnim* left = Reference(0, 0);
  TOxExAnim* right = Reference(500, 300);
  left->SetFramePos(2);
  right->SetFramePos(7);
  anim->SetFramePos(9);
  current->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(Lefts(), (std::vector<float>{20 - 0.5f, 500 + 70 - 0.5f}))
      << "each its own frame; the animation's Pos moves neither";

  anim->SetImBack("back.bmp");
  right->PosHor = 1;  // phCenter
  right->PosVert = 2;  // pvBottom
  EXPECT_EQ(right->GetAbsX(), 400);
  EXPECT_EQ(right->GetAbsY(), 200);
  left->Active = true;
  right->Active = true;
  right->Rep = true;
  for (int tick = 0; tick < 5; ++tick) {
    left->Process();
    right->Process();
  }
  EXPECT_EQ(left->Pos(), 7);
  EXPECT_EQ(right->Pos(), 1) << "past frame 10 it wraps with its own Rep";
  for (int tick = 0; tick < 5; ++tick) left->Process();
  EXPECT_EQ(left->Pos(), 10) << "and stays on the last frame without";
}

TEST_F(AnimDrawing, AReferenceFindsOnlyAnAnimationDirectlyUnderTheRoot) {
  auto* nested = TOxElement::CreateIn<TOxAnim>(*current);
  nested->Key = 78;
  TOxExAnim* ref = Reference(0, 0);
  ref->SetObAnim(78);
  EXPECT_EQ(ref->ResolveAnim(), nullptr);
  EXPECT_EQ(ref->GetSizeX(), 0);
  ref->Active = true;
  ref->Process();
  ref->Process();
  EXPECT_EQ(ref->Pos(), 2) << "with nothing to show, Pos simply counts";
  ref->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_TRUE(Lefts().empty());
  ref->SetObAnim(77);
  EXPECT_EQ(ref->ResolveAnim(), anim);
  anim->Destroy();
  EXPECT_EQ(ref->ResolveAnim(), nullptr) << "a destroyed animation is never reached";
}

}  // namespace
}  // namespace ox::elements
