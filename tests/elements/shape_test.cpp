// Shapes drawn on a recording back end: the box, the pie picture and when it is made again, and
// the clip rectangles that Crop gives the shape's children.
#include "elements/shape.h"

#include "elements/register_classes.h"
#include "elements/screen.h"
#include "picture_fixture.h"
#include "scene/game_root.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

// Remembers the clip rectangle it is drawn in.
struct ClipProbe : TOxShape {
  void Render(std::int32_t layer, std::uint32_t color, double x, double y, std::uint8_t flag) override {
    seen.push_back(Canvas()->GetClipRect());
    TOxShape::Render(layer, color, x, y, flag);
  }
  std::vector<render::TClipRect> seen;
};

struct Shapes : ::testing::Test {
  void SetUp() override { RegisterElementClasses(); }

  template <class T = TOxShape>
  static T* Box(TOxElement& parent, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    auto* shape = TOxElement::CreateIn<T>(parent);
    shape->SetPos(x, y);
    shape->SetSizeX(w);
    shape->SetSizeY(h);
    return shape;
  }
  void Draw() { current->Render(0, 0xFFFFFFFF, 0, 0, 0); }
  render::TextureId LastTexture() {
    pictures.canvas.Flush();
    return pictures.backend.draws.empty() ? 0 : pictures.backend.draws.back().texture;
  }

  testing::PictureStore pictures;  // before the tree: the pie textures are released first
  scene::TOxDB root;
  TOxScreen* current = TOxElement::CreateIn<TOxScreen>(root);
};

TEST_F(Shapes, ABoxFillsItsAreaWithItsTintAndEffect) {
  TOxShape* box = Box(*current, 10, 20, 100, 50);
  box->SetHxTrans(128);
  box->hxDrawFx = render::kFxAdd;
  Draw();
  const std::vector<render::Vertex> quad = pictures.Drawn();
  ASSERT_EQ(quad.size(), 4u);
  EXPECT_FLOAT_EQ(quad[0].x, 10);
  EXPECT_FLOAT_EQ(quad[0].y, 20);
  EXPECT_FLOAT_EQ(quad[2].x, 110);
  EXPECT_FLOAT_EQ(quad[2].y, 70);
  EXPECT_EQ(quad[0].colour, 0x80FFFFFFu);
  EXPECT_EQ(pictures.backend.draws[0].blend, render::BlendStateOfEffect(render::kFxAdd, true));
  EXPECT_EQ(pictures.backend.draws[0].texture, 0u);
}

TEST_F(Shapes, APiePictureIsMadeAgainOnlyWhenWhatItShowsChanges) {
  TOxShape* pie = Box(*current, 10, 20, 64, 32);
  pie->ShapeType = kShapeCircle;
  pie->Par1 = 90;
  Draw();
  EXPECT_TRUE(pictures.Drawn().empty()) << "Par3 starts at 0: nothing to see";
  pie->Par3 = 1;
  Draw();
  const render::TextureId first = LastTexture();
  ASSERT_NE(first, 0u);
  const auto& texels = pictures.backend.textures.at(first).texels;
  const int pitch = render::TextureSide(64);
  EXPECT_EQ(texels[8 * pitch + 48], kPieFilled) << "the top-right quarter";
  EXPECT_EQ(texels[8 * pitch + 16], kPieEmpty) << "black is transparent";

  pie->Par3 = 2;
  pie->Par1 = 90.2;  // the same radial point
  pie->SetHxColor(0x00FF00);
  Draw();
  EXPECT_EQ(LastTexture(), first);
  const std::vector<render::Vertex> quads = pictures.Drawn();
  EXPECT_FLOAT_EQ(quads.back().y, 20 + 64 - 0.5f) << "drawn at twice its size";
  EXPECT_EQ(quads.back().colour, 0xFF00FF00u);
  EXPECT_EQ(pictures.backend.textures.size(), 1u);

  pie->Par2 = 180;
  Draw();
  EXPECT_NE(LastTexture(), first);
  pie->SetSizeX(65);
  Draw();
  const render::TextureId resized = LastTexture();
  EXPECT_EQ(pictures.backend.textures.at(resized).width, render::TextureSide(65));
  EXPECT_EQ(pictures.backend.textures.size(), 1u) << "the old picture is released";
}

TEST_F(Shapes, APieBeyondThePictureLimitsIsNotDrawn) {
  TOxShape* pie = Box(*current, 0, 0, 20000, 10);
  pie->ShapeType = kShapeCircle;
  pie->Par3 = 1;
  Draw();
  pie->SetSizeX(16384);
  pie->SetSizeY(16385);
  Draw();
  pie->SetSizeX(-5);
  Draw();
  EXPECT_TRUE(pictures.Drawn().empty());
  EXPECT_TRUE(pictures.backend.textures.empty());
}

TEST_F(Shapes, NestedCropsGiveTheirChildrenTheIntersectionAndRestoreTheClip) {
  TOxShape* outer = Box(*current, 100, 100, 200, 200);
  outer->Crop = true;
  TOxShape* inner = Box(*outer, 150, 50, 200, 100);
  inner->Crop = true;
  auto* deep = Box<ClipProbe>(*inner, 0, 0, 10, 10);
  auto* after = Box<ClipProbe>(*outer, 0, 0, 10, 10);
  auto* outside = Box<ClipProbe>(*current, 0, 0, 10, 10);
  Draw();
  const render::TClipRect frame{0, 0, 1024, 768};
  EXPECT_EQ(deep->seen, std::vector<render::TClipRect>({{250, 150, 300, 250}}));
  EXPECT_EQ(after->seen, std::vector<render::TClipRect>({{100, 100, 300, 300}}));
  EXPECT_EQ(outside->seen, std::vector<render::TClipRect>({frame}));
  EXPECT_EQ(pictures.canvas.GetClipRect(), frame);

  inner->SetPos(500, 0);  // wholly outside the outer box
  deep->seen.clear();
  Draw();
  ASSERT_EQ(deep->seen.size(), 1u);
  EXPECT_LE(deep->seen[0].right - deep->seen[0].left, 0) << "nothing of it can be drawn";
  EXPECT_EQ(pictures.canvas.GetClipRect(), frame);
}

}  // namespace
}  // namespace ox::elements
