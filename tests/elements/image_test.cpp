// Images: their size and position by scale and alignment, where they draw, and which clicks
// their picture takes (the alpha of the pixel, rotation, scale, margin, children first).
#include "elements/image.h"

#include "hit_fixture.h"
#include "picture_fixture.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

struct Images : HitFixture {
  // An image of the named picture whose aligned point is at (x, y) in parent.
  static TOxImage* Image(TOxElement& parent, const std::string& picture, std::int32_t x,
                         std::int32_t y) {
    auto* image = TOxElement::CreateIn<TOxImage>(parent);
    image->SetImImage(picture);
    image->SetPos(x, y);
    return image;
  }
  bool Hits(TOxImage* image, std::int32_t x, std::int32_t y, std::int32_t agro = 0,
            std::uint8_t threshold = 0) {
    return image->HitTest(image->Order, x, y, agro, threshold) == image;
  }

  testing::PictureStore pictures;
};

TEST_F(Images, SizeAndCornerFollowScaleAndAlignment) {
  pictures.PutOpaque("pic.bmp", 50, 30);
  current->SetPos(10, 20);
  TOxImage* image = Image(*current, "pic.bmp", 100, 40);
  EXPECT_EQ(image->GetSizeX(), 50);
  EXPECT_EQ(image->GetAbsX(), 110);
  image->PosHor = 1;  // phCenter
  image->PosVert = 1;
  EXPECT_EQ(image->GetAbsX(), 85) << "100 - 50 div 2, plus the parent's 10";
  EXPECT_EQ(image->GetAbsY(), 45);
  image->PosHor = 2;  // phRight
  image->PosVert = 2;
  EXPECT_EQ(image->GetAbsX(), 60);
  EXPECT_EQ(image->GetAbsY(), 30);

  image->SetScale(0.5L);
  image->ScaleX = 0.5L;
  image->ScaleY = 3.0L;
  EXPECT_EQ(image->GetSizeX(), 12) << "12.5 rounds to even";
  EXPECT_EQ(image->GetSizeY(), 45);
  image->SetScale(-1.5L);
  image->ScaleX = 1.0L;
  image->PosHor = 1;
  EXPECT_EQ(image->GetSizeX(), -75);
  EXPECT_EQ(image->GetAbsX(), 10 + 100 + 37) << "a mirrored size halves toward zero";

  TOxImage* none = Image(*current, "", 100, 40);
  none->PosHor = 2;
  TOxImage* missing = Image(*current, "missing.bmp", 100, 40);
  missing->PosHor = 2;
  EXPECT_EQ(none->GetSizeX(), 0);
  EXPECT_EQ(missing->GetSizeY(), 0);
  EXPECT_EQ(missing->GetAbsX(), 110) << "no picture, no alignment shift";
}

TEST_F(Images, ACentredImageDrawsTintedAroundItsPointAndItsChildrenFromItsCorner) {
  pictures.PutOpaque("pic.bmp", 50, 30);
  TOxImage* image = Image(*current, "pic.bmp", 100, 40);
  image->PosHor = 1;  // phCenter
  image->SetHxTrans(128);
  image->SetHxColor(0xFF0000);
  TOxImage* child = Image(*image, "pic.bmp", 3, 4);
  image->Render(0, 0xFFFFFFFF, 0, 0, 0);
  const std::vector<render::Vertex> quads = pictures.Drawn();
  ASSERT_EQ(quads.size(), 8u);
  // Quads are drawn half a pixel up and left, corners clockwise from the top left.
  EXPECT_FLOAT_EQ(quads[0].x, 74.5f);
  EXPECT_FLOAT_EQ(quads[1].x, 124.5f);
  EXPECT_FLOAT_EQ(quads[0].y, 39.5f);
  EXPECT_FLOAT_EQ(quads[2].y, 69.5f);
  EXPECT_EQ(quads[0].colour, 0x800000FFu) << "0x80FF0000 with red and blue swapped";
  EXPECT_TRUE(pictures.backend.draws[0].linear);
  EXPECT_FLOAT_EQ(quads[4].x, 77.5f) << "the child at 75 + 3";
  EXPECT_FLOAT_EQ(quads[4].y, 43.5f);

  pictures.backend.draws.clear();
  child->SetVis(false);
  image->ScaleX = 2.0L;
  image->SetOrder(1);
  image->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_TRUE(pictures.Drawn().empty()) << "only on its own layer";
  image->Render(1, 0xFFFFFFFF, 0, 0, 0);
  const std::vector<render::Vertex> wide = pictures.Drawn();
  ASSERT_EQ(wide.size(), 4u);
  EXPECT_FLOAT_EQ(wide[0].x, 49.5f);
  EXPECT_FLOAT_EQ(wide[1].x, 149.5f);
}

TEST_F(Images, APictureBeyondTheGuardBandLosesTheSourceColumnsOutsideIt) {
  pictures.PutOpaque("strip.bmp", 1000, 1);
  TOxImage* image = Image(*current, "strip.bmp", -5000, 0);
  image->SetScale(4);  // drawn from -5000 to -1000
  image->Render(0, 0xFFFFFFFF, 0, 0, 0);
  const std::vector<render::Vertex> quad = pictures.Drawn();
  ASSERT_EQ(quad.size(), 4u);
  // round(3976 / 4) - 1 = 993 columns left out, 4 screen pixels each.
  EXPECT_FLOAT_EQ(quad[0].x, -5000 + 993 * 4 - 0.5f);
  EXPECT_FLOAT_EQ(quad[1].x, -1000.5f);
  const auto textureWidth = static_cast<float>(image->Picture()->Image()->TextureWidth());
  EXPECT_FLOAT_EQ(quad[0].u * textureWidth, 993.0f);
  EXPECT_FLOAT_EQ(quad[1].u * textureWidth, 1000.0f);
}

TEST_F(Images, AFailedPictureLeavesTheImageUnhitAndItsChildrenWhereTheyStand) {
  pictures.PutOpaque("pic.bmp", 20, 20);
  TOxImage* image = Image(*current, "missing.bmp", 100, 50);
  image->PosHor = 1;
  image->PosVert = 2;
  TOxShape* box = Box(*image, 0, 0, 10, 10);
  TOxImage* child = Image(*image, "pic.bmp", 20, 6);
  EXPECT_TRUE(image->Picture()->Failed());
  EXPECT_EQ(HitAt(105, 55), box) << "tested from the image's own point";
  EXPECT_EQ(HitAt(99, 55), nullptr);
  EXPECT_EQ(HitAt(130, 66), child);

  image->Render(0, 0xFFFFFFFF, 1, 2, 0);
  const std::vector<render::Vertex> quad = pictures.Drawn();
  ASSERT_EQ(quad.size(), 8u) << "the box, then the child; the image itself draws nothing";
  EXPECT_FLOAT_EQ(quad[0].x, 1 + 100);
  EXPECT_FLOAT_EQ(quad[0].y, 2 + 50);
  EXPECT_FLOAT_EQ(quad[4].x, 1 + 100 + 20 - 0.5f);
  EXPECT_FLOAT_EQ(quad[4].y, 2 + 50 + 6 - 0.5f);
}

TEST_F(Images, APictureDeferredByAScreenSwitchLoadsAtTheFirstDraw) {
  pictures.PutOpaque("late.bmp", 40, 20);
  pictures.store.SetImLoadNow(false);
  TOxImage* image = Image(*current, "late.bmp", 0, 0);
  image->SetOrder(1);
  EXPECT_EQ(image->GetSizeX(), 0);
  EXPECT_FALSE(Hits(image, 5, 5));

  image->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(image->GetSizeX(), 40) << "loaded also when drawing another layer";
  EXPECT_FALSE(pictures.store.ImLoadNow()) << "deferring is restored";
  EXPECT_TRUE(pictures.Drawn().empty());
  image->Render(1, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(pictures.Drawn().size(), 4u);
  EXPECT_TRUE(Hits(image, 5, 5));
}

TEST_F(Images, AClickTakesTheAlphaOfItsPixelAboveTheThreshold) {
  // Ten columns each of alpha 0, 0x80 and 0xFF, then opaque.
  pictures.Put("steps.bmp", 40, 20, [](int x, int) {
    return x < 10 ? 0x00FFFFFFu : x < 20 ? 0x80FFFFFFu : 0xFFFFFFFFu;
  });
  TOxImage* image = Image(*current, "steps.bmp", 100, 100);
  EXPECT_FALSE(Hits(image, 105, 110)) << "a transparent pixel takes no click";
  EXPECT_TRUE(Hits(image, 115, 110));
  EXPECT_TRUE(Hits(image, 115, 110, 0, 0x7F));
  EXPECT_FALSE(Hits(image, 115, 110, 0, 0x80));
  EXPECT_TRUE(Hits(image, 125, 110, 0, 0xFE));
  EXPECT_FALSE(Hits(image, 125, 110, 0, 0xFF));
  EXPECT_FALSE(Hits(image, 140, 110)) << "past the right edge";

  image->SetScale(2);  // pixel = (x - 100) / 2
  EXPECT_FALSE(Hits(image, 118, 110));
  EXPECT_TRUE(Hits(image, 122, 110));
  image->SetScale(0);
  EXPECT_FALSE(Hits(image, 100, 100)) << "a picture of no size takes nothing";

  image->SetScale(1);
  image->SetVis(false);
  EXPECT_FALSE(Hits(image, 125, 110));
  image->MousedNotVis = true;
  EXPECT_TRUE(Hits(image, 125, 110));
}

TEST_F(Images, TheClickIsTestedOnTheFirstPatternWhateverIsShown) {
  // Two patterns side by side: the first opaque, the second transparent.
  pictures.Put("two.bmp", 20, 10, [](int x, int) { return x < 10 ? 0xFFFFFFFFu : 0u; });
  pictures.PutGrid("two.an", 2, 1);
  TOxImage* image = Image(*current, "two.bmp", 0, 0);
  image->SetAnim(1);
  EXPECT_EQ(image->GetSizeX(), 10);
  EXPECT_TRUE(Hits(image, 5, 5));
}

TEST_F(Images, HalfATurnTestsTheMirroredPixel) {
  // Opaque only in the 10 x 5 block at the bottom right of a 40 x 20 picture.
  pictures.Put("corner.bmp", 40, 20,
               [](int x, int y) { return x >= 30 && y >= 15 ? 0xFFFFFFFFu : 0u; });
  TOxImage* image = Image(*current, "corner.bmp", 100, 100);
  EXPECT_FALSE(Hits(image, 101, 101));
  EXPECT_TRUE(Hits(image, 135, 117));
  image->SetAngle(180);
  EXPECT_TRUE(Hits(image, 101, 101)) << "the drawn top left shows the bottom right";
  EXPECT_FALSE(Hits(image, 135, 117));
  image->SetAngle(90);  // about the centre (120, 110), clockwise: the block ends up bottom left
  EXPECT_TRUE(Hits(image, 112, 128));
  EXPECT_FALSE(Hits(image, 128, 128));
}

TEST_F(Images, AStretchedImageIsTestedAtItsUnstretchedSizeAndItsChildrenFirst) {
  pictures.PutOpaque("pic.bmp", 40, 20);
  TOxImage* image = Image(*current, "pic.bmp", 100, 100);
  image->PosHor = 1;  // phCenter: drawn from 60 to 140, pixel-tested from 80 to 119
  image->ScaleX = 2.0L;
  TOxShape* child = Box(*image, 25, 5, 10, 10);  // from the drawn corner: 85 .. 95
  EXPECT_EQ(image->GetSizeX(), 80);
  EXPECT_EQ(HitAt(90, 110), child) << "the child wins over the opaque picture under it";
  EXPECT_EQ(HitAt(100, 102), image);
  EXPECT_EQ(HitAt(80, 110), image);
  EXPECT_EQ(HitAt(79, 102), nullptr);
  EXPECT_EQ(HitAt(70, 102), nullptr) << "drawn, but outside the unstretched picture";
  EXPECT_EQ(HitAt(125, 102), nullptr);

  child->SetOrder(1);
  EXPECT_EQ(current->HitTest(0, 90, 110, 0, 0), image) << "a child of another layer is passed";
  image->SetOrder(1);
  EXPECT_EQ(current->HitTest(0, 100, 102, 0, 0), nullptr);
}

TEST_F(Images, AMarginWidensTheTestedBoxOnTheLeadingSideByAlignment) {
  pictures.PutOpaque("pic.bmp", 40, 20);
  TOxImage* left = Image(*current, "pic.bmp", 100, 100);  // drawn from 100
  EXPECT_FALSE(Hits(left, 99, 115, 5));
  EXPECT_FALSE(Hits(left, 105, 99, 5));
  EXPECT_TRUE(Hits(left, 100, 115, 5));

  TOxImage* centred = Image(*current, "pic.bmp", 100, 100);  // drawn from 80
  centred->PosHor = 1;
  EXPECT_TRUE(Hits(centred, 75, 115, 5)) << "five pixels left of the picture";
  EXPECT_FALSE(Hits(centred, 74, 115, 5));
  EXPECT_FALSE(Hits(centred, 79, 110, 0));

  TOxImage* right = Image(*current, "pic.bmp", 100, 100);  // drawn from (60, 80)
  right->PosHor = 2;
  right->PosVert = 2;
  EXPECT_TRUE(Hits(right, 60, 90, 0));
  EXPECT_FALSE(Hits(right, 59, 90, 0));
  EXPECT_TRUE(Hits(right, 50, 85, 5)) << "the box grows by twice the margin on one side";
  EXPECT_FALSE(Hits(right, 49, 85, 5));
  EXPECT_TRUE(Hits(right, 75, 70, 5));
  EXPECT_FALSE(Hits(right, 75, 69, 5));
}

}  // namespace
}  // namespace ox::elements
