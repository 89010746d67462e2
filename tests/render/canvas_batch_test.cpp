// The canvas's batching and geometry, seen through a back end that records its draw calls.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fake_backend.h"
#include "render/canvas.h"

namespace ox::render {
namespace {

using testing::FakeBackend;

class CanvasBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    ASSERT_TRUE(device.Initialize());
  }

  // A picture of one 16x16 pattern per texture, `patterns` of them.
  std::unique_ptr<TAsphyreImage> Picture(int patterns = 1) {
    auto image = std::make_unique<TAsphyreImage>(backend);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(16 * patterns * 16), 0xFFFFFFFF);
    EXPECT_TRUE(image->LoadFromBitmap(pixels, 16 * patterns, 16, patterns, 1));
    return image;
  }

  FakeBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
};

TEST_F(CanvasBatchTest, SamePictureTwiceIsOneDrawCallAlternatingPicturesOneEach) {
  auto a = Picture(), b = Picture();
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Draw(a.get(), 20, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 1u);
  EXPECT_EQ(backend.draws[0].vertices.size(), 8u);
  EXPECT_EQ(backend.draws[0].indices, (std::vector<std::uint16_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}));

  backend.draws.clear();
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Draw(b.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Draw(b.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 4u);
  EXPECT_EQ(backend.draws[0].texture, a->Texture(0));
  EXPECT_EQ(backend.draws[1].texture, b->Texture(0));
}

TEST_F(CanvasBatchTest, EffectKindAndFilteringChangesFlushButRepeatingASettingDoesNot) {
  auto a = Picture();
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxAdd);
  canvas.FillRect(0, 0, 4, 4, 0xFF0000FF, kFxAdd);
  canvas.Line({0, 0}, {4, 4}, 0xFF0000FF, 0xFF0000FF, kFxAdd);
  canvas.SetAntialias(false);  // unchanged
  canvas.Line({0, 0}, {4, 0}, 0xFF0000FF, 0xFF0000FF, kFxAdd);
  canvas.SetAntialias(true);
  canvas.Line({0, 0}, {0, 4}, 0xFF0000FF, 0xFF0000FF, kFxAdd);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 5u);
  EXPECT_EQ(backend.draws[0].blend.destination, BlendFactor::InverseSourceAlpha);
  EXPECT_EQ(backend.draws[1].blend.destination, BlendFactor::One);
  EXPECT_EQ(backend.draws[2].texture, 0u);
  EXPECT_EQ(backend.draws[3].kind, PrimitiveKind::Lines);
  EXPECT_EQ(backend.draws[3].vertices.size(), 4u);
  EXPECT_FALSE(backend.draws[3].linear);
  EXPECT_TRUE(backend.draws[4].linear);
}

TEST_F(CanvasBatchTest, ADrawCallHoldsAtMostVertexCacheEntries) {
  auto a = Picture();
  for (int i = 0; i < 683; ++i) canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 2u);
  EXPECT_EQ(backend.draws[0].indices.size(), 682u * 6);  // 4096 indices hold 682 quads
  EXPECT_EQ(backend.draws[1].vertices.size(), 4u);
  EXPECT_EQ(backend.streamVertices, 4096);
}

TEST_F(CanvasBatchTest, EndOfSceneFlushesAndSetsTheSceneStatesAgain) {
  auto a = Picture();
  device.OnRender = [&](TAsphyreDevice&) { canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend); };
  ASSERT_TRUE(device.Render(0, true));
  ASSERT_TRUE(device.Render(0, true));
  ASSERT_EQ(backend.draws.size(), 2u);
  EXPECT_EQ(backend.sceneStateSets, 2);
  // The second scene applies its effect and texture again after the states were reset.
  EXPECT_TRUE(backend.draws[1].blend.blending);
  EXPECT_EQ(backend.draws[1].texture, a->Texture(0));
}

TEST_F(CanvasBatchTest, ALostDeviceDrawsNothingUntilReset) {
  auto a = Picture();
  ASSERT_TRUE(device.Notify(kNoticeLost));
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  EXPECT_TRUE(backend.draws.empty());
  ASSERT_TRUE(device.Reset());
  EXPECT_EQ(backend.streamVertices, 4096);
  canvas.Draw(a.get(), 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  EXPECT_EQ(backend.draws.size(), 1u);
}

TEST_F(CanvasBatchTest, TexturedQuadsAreShiftedHalfAPixelAndColoursSwapped) {
  auto a = Picture();
  canvas.Draw(a.get(), 10, 20, 0, 0x80112233, kFxBlend);
  canvas.FillRect(10, 20, 5, 6, 0x80112233, kFxBlend);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 2u);
  const Vertex& textured = backend.draws[0].vertices[2];
  EXPECT_FLOAT_EQ(textured.x, 25.5f);
  EXPECT_FLOAT_EQ(textured.y, 35.5f);
  EXPECT_FLOAT_EQ(textured.z, 0.0f);
  EXPECT_FLOAT_EQ(textured.rhw, 1.0f);
  EXPECT_EQ(textured.colour, 0x80332211u);
  const Vertex& filled = backend.draws[1].vertices[2];
  EXPECT_FLOAT_EQ(filled.x, 15.0f);
  EXPECT_FLOAT_EQ(filled.y, 26.0f);
}

TEST_F(CanvasBatchTest, FrameRectDrawsFourLinesOnTheLastColumnAndRow) {
  canvas.FrameRect(10, 20, 5, 4, 0xFFFFFFFF, kFxCopy);
  canvas.Flush();
  ASSERT_EQ(backend.draws.size(), 1u);
  const std::vector<Vertex>& v = backend.draws[0].vertices;
  ASSERT_EQ(v.size(), 8u);
  const float expected[8][2] = {{10, 20}, {14, 20}, {14, 20}, {14, 23}, {14, 23}, {10, 23}, {10, 23}, {10, 20}};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(v[i].x, expected[i][0]) << i;
    EXPECT_FLOAT_EQ(v[i].y, expected[i][1]) << i;
  }
}

TEST_F(CanvasBatchTest, DrawStretchRoundsHalvesToEvenAndDrawRotTurnsAboutTheMiddle) {
  auto a = Picture();  // 16 x 16
  canvas.DrawStretch(a.get(), 0, 0, 1.40625f, 0, 0xFFFFFFFF, kFxBlend);  // 22.5 -> 22
  canvas.DrawRot(a.get(), 100, 100, static_cast<float>(M_PI / 2), 2.0f, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  const std::vector<Vertex>& v = backend.draws[0].vertices;
  EXPECT_FLOAT_EQ(v[2].x, 22 - 0.5f);
  EXPECT_FLOAT_EQ(v[2].y, 22 - 0.5f);
  // Top-left corner (-16, -16) turned a quarter clockwise on screen lands at (116, 84).
  EXPECT_NEAR(v[4].x, 116 - 0.5f, 1e-4);
  EXPECT_NEAR(v[4].y, 84 - 0.5f, 1e-4);
}

TEST_F(CanvasBatchTest, ClipRectFlushesAndReadsBack) {
  canvas.FillRect(0, 0, 4, 4, 0xFFFFFFFF, kFxCopy);
  canvas.SetClipRect({10, 20, 110, 70});
  EXPECT_EQ(backend.draws.size(), 1u);
  EXPECT_EQ(canvas.GetClipRect(), (TClipRect{10, 20, 110, 70}));
  TAsphyreCanvas detached;
  EXPECT_EQ(detached.GetClipRect(), TClipRect{});
}

TEST_F(CanvasBatchTest, NothingIsDrawnWithoutADeviceOrAPicture) {
  TAsphyreCanvas detached;
  detached.FillRect(0, 0, 4, 4, 0xFFFFFFFF, kFxCopy);
  detached.Flush();
  canvas.Draw(nullptr, 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  TAsphyreImage empty(backend);
  ASSERT_TRUE(empty.LoadFromBitmap({}, 0, 0, 1, 1));
  canvas.Draw(&empty, 0, 0, 0, 0xFFFFFFFF, kFxBlend);
  canvas.Flush();
  EXPECT_TRUE(backend.draws.empty());
}

TEST(CanvasSettingsTest, VertexCacheRoundsUpAndClampsAndIsFixedOnceInitialised) {
  TAsphyreCanvas canvas;
  canvas.SetVertexCache(1001);
  EXPECT_EQ(canvas.VertexCache(), 1004);
  canvas.SetVertexCache(3);
  EXPECT_EQ(canvas.VertexCache(), 512);
  canvas.SetVertexCache(1 << 30);
  EXPECT_EQ(canvas.VertexCache(), 65536);
  canvas.SetVertexCache(std::numeric_limits<int>::max());
  EXPECT_EQ(canvas.VertexCache(), 65536);

  FakeBackend backend;
  TAsphyreDevice device(backend);
  canvas.SetPublisher(&device);
  ASSERT_TRUE(device.Initialize());
  canvas.SetVertexCache(1000);
  canvas.SetAlphaTesting(false);
  EXPECT_EQ(canvas.VertexCache(), 65536);
  EXPECT_TRUE(canvas.AlphaTesting());
}

TEST(BlendEffectTest, CodesDecodeIntoFactorsAndOperations) {
  EXPECT_EQ(BlendStateOfEffect(kFxCopy, true), BlendState{});
  const BlendState blend = BlendStateOfEffect(kFxBlend, true);
  EXPECT_TRUE(blend.blending);
  EXPECT_TRUE(blend.alphaTest);
  EXPECT_EQ(blend.source, BlendFactor::SourceAlpha);
  EXPECT_EQ(blend.destination, BlendFactor::InverseSourceAlpha);
  EXPECT_FALSE(BlendStateOfEffect(kFxBlend, false).alphaTest);
  const BlendState all = BlendStateOfEffect(0x04090A, true);
  EXPECT_EQ(all.source, BlendFactor::SourceAlphaSaturated);
  EXPECT_EQ(all.destination, BlendFactor::InverseDestinationColour);
  EXPECT_EQ(all.operation, BlendOperation::Maximum);
  // Indices outside the tables fall back to one, zero and add, but still blend.
  const BlendState outside = BlendStateOfEffect(0x05FF0B, true);
  EXPECT_TRUE(outside.blending);
  EXPECT_EQ(outside.source, BlendFactor::One);
  EXPECT_EQ(outside.destination, BlendFactor::Zero);
  EXPECT_EQ(outside.operation, BlendOperation::Add);
  // Byte 3 is not part of the code.
  EXPECT_FALSE(BlendStateOfEffect(0xFF000001, true).blending);
}

TEST(PatternMappingTest, PatternsClampMirrorFlipAndCentreTheirVisiblePart) {
  FakeBackend backend;
  TAsphyreImage image(backend);
  ASSERT_TRUE(image.CreateTextures(2, 64, 32));
  image.SetPatternSize(16, 16);
  image.SetVisibleSize(12, 10);
  image.SetPatternCount(12);  // 8 per texture, 4 across and 2 down

  const auto uv = [&](TPatternSelection s) { return MapPattern(image, s).value(); };
  // Pattern 5: texture 0, column 1, row 1; visible part 2 and 3 texels in.
  PatternMapping m = uv({5});
  EXPECT_EQ(m.textureIndex, 0);
  EXPECT_FLOAT_EQ(m.uv[0].x, 18.0f / 64);
  EXPECT_FLOAT_EQ(m.uv[0].y, 19.0f / 32);
  EXPECT_FLOAT_EQ(m.uv[2].x, 30.0f / 64);
  EXPECT_FLOAT_EQ(m.uv[2].y, 29.0f / 32);
  EXPECT_EQ(uv({9}).textureIndex, 1);
  EXPECT_FLOAT_EQ(uv({99}).uv[0].x, uv({11}).uv[0].x);
  EXPECT_EQ(uv({99}).textureIndex, 1);
  EXPECT_FLOAT_EQ(uv({-4}).uv[0].x, uv({0}).uv[0].x);

  TPatternSelection part{0, 1, 2, 4, 3, false, false};
  m = uv(part);
  EXPECT_FLOAT_EQ(m.uv[0].x, 3.0f / 64);
  EXPECT_FLOAT_EQ(m.uv[1].x, 7.0f / 64);
  EXPECT_FLOAT_EQ(m.uv[0].y, 5.0f / 32);
  EXPECT_FLOAT_EQ(m.uv[3].y, 8.0f / 32);
  part.mirror = part.flip = true;
  const PatternMapping turned = uv(part);
  EXPECT_FLOAT_EQ(turned.uv[0].x, m.uv[1].x);
  EXPECT_FLOAT_EQ(turned.uv[0].y, m.uv[3].y);

  image.SetPatternSize(0, 16);
  EXPECT_FALSE(MapPattern(image, {0}).has_value());
  image.SetPatternSize(128, 16);  // larger than its texture
  EXPECT_FALSE(MapPattern(image, {0}).has_value());
}

TEST(RotatedQuadTest, AnUnrotatedBoxIsItsRectangle) {
  const TPoint4 q = RotatedQuad({5, 7}, {10, 4}, {0, 0}, 1.0f, 0.0f);
  EXPECT_FLOAT_EQ(q[1].x, 15);
  EXPECT_FLOAT_EQ(q[2].y, 11);
  const TPoint4 r = RotatedQuad({0, 0}, {10, 4}, {5, 2}, 2.0f, static_cast<float>(M_PI));
  EXPECT_NEAR(r[0].x, 10, 1e-5);
  EXPECT_NEAR(r[0].y, 4, 1e-5);
}

}  // namespace
}  // namespace ox::render
