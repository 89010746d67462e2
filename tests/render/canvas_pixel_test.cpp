// What the canvas puts on screen, drawn by the OpenGL back end off screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "gl_fixture.h"

namespace ox::render {
namespace {

using testing::GlCanvasTest;
using testing::Near;
using testing::Rgb;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Engine-order opaque colour from 8-bit channels.
constexpr std::uint32_t Engine(int r, int g, int b, int a = 255) {
  return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
         static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(r);
}

// Device-order texel from 8-bit channels.
constexpr std::uint32_t Texel(int r, int g, int b, int a = 255) {
  return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
         static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

std::vector<std::uint32_t> Gradient(int w, int h) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pixels.push_back(Texel(x * 30, y * 40, 255 - x * 20 - y * 10));
  }
  return pixels;
}

using CanvasPixelTest = GlCanvasTest;

TEST_F(CanvasPixelTest, AOneToOneQuadShowsItsTexelsUnshiftedWithEitherFiltering) {
  const auto picture = Picture(Gradient(6, 5), 6, 5);
  for (const bool linear : {false, true}) {
    Render([&] {
      canvas.SetAntialias(linear);
      canvas.Draw(picture.get(), 100, 200, 0, kWhite, kFxCopy);
    });
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        EXPECT_TRUE(Near(At(100 + x, 200 + y), {x * 30, y * 40, 255 - x * 20 - y * 10}, linear ? 1 : 0))
            << "texel " << x << "," << y << (linear ? " linear" : " nearest");
      }
    }
    EXPECT_TRUE(Near(At(99, 200), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(106, 200), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(100, 205), {0, 0, 0}, 0));
  }
}

TEST_F(CanvasPixelTest, AHalfTransparentQuadBlendsOverAKnownColour) {
  const auto green = Solid(Texel(0, 255, 0, 128));
  Render([&] {
    canvas.FillRect(0, 0, 64, 64, Engine(0, 0, 255), kFxCopy);
    canvas.Draw(green.get(), 10, 10, 0, kWhite, kFxBlend);
  });
  EXPECT_TRUE(Near(At(12, 12), {0, 128, 127}));
  EXPECT_TRUE(Near(At(30, 30), {0, 0, 255}, 0));
}

TEST_F(CanvasPixelTest, AdditiveLightAddsAndSaturates) {
  const auto light = Solid(Texel(100, 100, 100));
  Render([&] {
    canvas.FillRect(0, 0, 64, 64, Engine(100, 50, 200), kFxCopy);
    canvas.Draw(light.get(), 10, 10, 0, kWhite, kFxAdd);
  });
  EXPECT_TRUE(Near(At(12, 12), {200, 150, 255}));
}

TEST_F(CanvasPixelTest, EachBlendOperation) {
  struct Case {
    std::uint32_t operation;
    Rgb expected;
  };
  // Source (100, 150, 25) over destination (200, 100, 50), both factors one.
  const Case cases[] = {{0, {255, 250, 75}}, {1, {100, 0, 25}}, {2, {0, 50, 0}},
                        {3, {100, 100, 25}}, {4, {200, 150, 50}}};
  for (const Case& c : cases) {
    Render([&] {
      canvas.FillRect(0, 0, 8, 8, Engine(200, 100, 50), kFxCopy);
      canvas.FillRect(0, 0, 8, 8, Engine(100, 150, 25), c.operation << 16 | 0x0101);
    });
    EXPECT_TRUE(Near(At(4, 4), c.expected)) << "operation " << c.operation;
  }
}

TEST_F(CanvasPixelTest, EachBlendFactor) {
  // Source (200, 100, 40) with alpha 64 over destination (100, 200, 80); the frame has no alpha
  // channel, so destination alpha is 1.
  const double sr = 200, sg = 100, sb = 40, sa = 64 / 255.0, dr = 100, dg = 200, db = 80;
  const auto source = [&](int factor) -> Rgb {
    const double f[3][11] = {
        {0, 1, sr / 255, 1 - sr / 255, sa, 1 - sa, 1, 0, dr / 255, 1 - dr / 255, 0},
        {0, 1, sg / 255, 1 - sg / 255, sa, 1 - sa, 1, 0, dg / 255, 1 - dg / 255, 0},
        {0, 1, sb / 255, 1 - sb / 255, sa, 1 - sa, 1, 0, db / 255, 1 - db / 255, 0}};
    return {static_cast<int>(sr * f[0][factor] + 0.5), static_cast<int>(sg * f[1][factor] + 0.5),
            static_cast<int>(sb * f[2][factor] + 0.5)};
  };
  for (std::uint32_t factor = 0; factor <= 10; ++factor) {
    Render([&] {
      canvas.FillRect(0, 0, 8, 8, Engine(100, 200, 80), kFxCopy);
      // Source factor under test, destination factor zero, subtraction from nothing avoided by add.
      canvas.FillRect(0, 0, 8, 8, Engine(200, 100, 40, 64), factor);
    });
    EXPECT_TRUE(Near(At(4, 4), source(static_cast<int>(factor)))) << "source factor " << factor;
  }
  // As destination factors, against a source factor of zero.
  const Rgb destination[11] = {{0, 0, 0}, {100, 200, 80}, {78, 78, 13}, {22, 122, 67}, {25, 50, 20},
                               {75, 150, 60}, {100, 200, 80}, {0, 0, 0}, {39, 157, 25},
                               {61, 43, 55}, {0, 0, 0}};
  for (std::uint32_t factor = 0; factor <= 10; ++factor) {
    Render([&] {
      canvas.FillRect(0, 0, 8, 8, Engine(100, 200, 80), kFxCopy);
      canvas.FillRect(0, 0, 8, 8, Engine(200, 100, 40, 64), factor << 8);
    });
    EXPECT_TRUE(Near(At(4, 4), destination[factor])) << "destination factor " << factor;
  }
}

TEST_F(CanvasPixelTest, ATintWithAlpha128HalvesTheTexelsAlphaAndColoursMultiply) {
  const auto white = Solid(Texel(255, 255, 255));
  Render([&] {
    canvas.Draw(white.get(), 0, 0, 0, 0x80FFFFFF, kFxBlend);
    canvas.Draw(white.get(), 20, 0, 0, Engine(255, 128, 0), kFxBlend);
  });
  EXPECT_TRUE(Near(At(4, 4), {128, 128, 128}));
  EXPECT_TRUE(Near(At(24, 4), {255, 128, 0}));
}

TEST_F(CanvasPixelTest, AlphaTestingDiscardsFullyTransparentTexelsExceptInOpaqueCopies) {
  const auto hidden = Solid(Texel(255, 0, 0, 0));
  Render([&] {
    canvas.Draw(hidden.get(), 0, 0, 0, kWhite, 0x000101);  // one + one: would add red
    canvas.Draw(hidden.get(), 20, 0, 0, kWhite, kFxCopy);
  });
  EXPECT_TRUE(Near(At(4, 4), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(24, 4), {255, 0, 0}, 0));
}

TEST_F(CanvasPixelTest, NearestKeepsBlocksLinearFiltersBetweenTexels) {
  const auto checker = Picture({Texel(0, 0, 0), Texel(255, 255, 255), Texel(255, 255, 255), Texel(0, 0, 0)}, 2, 2);
  Render([&] {
    canvas.SetAntialias(false);
    canvas.DrawStretch(checker.get(), 0, 0, 8, 0, kWhite, kFxCopy);
    canvas.SetAntialias(true);
    canvas.DrawStretch(checker.get(), 100, 0, 8, 0, kWhite, kFxCopy);
  });
  // Texel boundary at x = 8 of the 16-pixel quads.
  EXPECT_TRUE(Near(At(7, 2), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(8, 2), {255, 255, 255}, 0));
  const int left = At(107, 2).r, right = At(108, 2).r;
  EXPECT_GT(left, 40);
  EXPECT_LT(left, 215);
  EXPECT_GT(right, 40);
  EXPECT_LT(right, 215);
}

TEST_F(CanvasPixelTest, ASelectedPatternShowsNoneOfItsNeighbourEvenFilteredAndEnlarged) {
  // Two 4x4 patterns side by side: red, then green.
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) pixels.push_back(x < 4 ? Texel(255, 0, 0) : Texel(0, 255, 0));
  }
  const auto strip = Picture(pixels, 8, 4, 2, 1);
  Render([&] {
    canvas.SetAntialias(true);
    canvas.DrawStretch(strip.get(), 10, 10, 5, 1, kWhite, kFxCopy);
    canvas.DrawStretch(strip.get(), 50, 10, 5, 0, kWhite, kFxCopy);
  });
  for (int y = 10; y < 30; ++y) {
    for (int x = 10; x < 30; ++x) ASSERT_TRUE(Near(At(x, y), {0, 255, 0}, 0)) << x << "," << y;
    for (int x = 50; x < 70; ++x) ASSERT_TRUE(Near(At(x, y), {255, 0, 0}, 0)) << x << "," << y;
  }
}

TEST_F(CanvasPixelTest, MirrorAndFlipTurnThePicture) {
  const auto picture = Picture(Gradient(6, 5), 6, 5);
  Render([&] {
    TPatternSelection turned;
    turned.mirror = turned.flip = true;
    canvas.TexMap(picture.get(), {TPoint2{0, 0}, TPoint2{6, 0}, TPoint2{6, 5}, TPoint2{0, 5}},
                  {kWhite, kWhite, kWhite, kWhite}, turned, kFxCopy);
  });
  EXPECT_TRUE(Near(At(0, 0), {5 * 30, 4 * 40, 255 - 100 - 40}, 0));
  EXPECT_TRUE(Near(At(5, 4), {0, 0, 255}, 0));
}

TEST_F(CanvasPixelTest, ClippingLimitsDrawingUntilRestored) {
  TClipRect whole;
  Render([&] {
    whole = canvas.GetClipRect();
    canvas.SetClipRect({10, 20, 30, 25});
    canvas.FillRect(0, 0, 100, 100, Engine(255, 255, 255), kFxCopy);
    canvas.SetClipRect(whole);
    canvas.FillRect(50, 50, 10, 10, Engine(0, 255, 0), kFxCopy);
  });
  EXPECT_EQ(whole, (TClipRect{0, 0, 1024, 768}));
  canvas.SetClipRect({-10, 700, 5000, 600});  // kept inside the frame, empty when inverted
  EXPECT_EQ(canvas.GetClipRect(), (TClipRect{0, 700, 1024, 700}));
  canvas.SetClipRect(whole);
  EXPECT_TRUE(Near(At(10, 20), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(29, 24), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(9, 20), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(30, 24), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(10, 25), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(55, 55), {0, 255, 0}, 0));
}

TEST_F(CanvasPixelTest, FillRectCoversExactlyItsPixels) {
  Render([&] { canvas.FillRect(10, 10, 3, 2, Engine(255, 0, 0), kFxCopy); });
  int covered = 0;
  for (int y = 8; y < 15; ++y) {
    for (int x = 8; x < 15; ++x) covered += At(x, y).r == 255;
  }
  EXPECT_EQ(covered, 6);
  EXPECT_EQ(At(12, 11).r, 255);
}

TEST_F(CanvasPixelTest, LinesAndFramesLieOnTheirPixels) {
  Render([&] {
    canvas.FrameRect(10, 10, 5, 4, Engine(255, 255, 255), kFxCopy);
    canvas.Line({20, 30}, {25, 30}, Engine(0, 255, 0), Engine(0, 255, 0), kFxCopy);
    canvas.Line({40, 30}, {40, 34}, Engine(0, 0, 255), Engine(0, 0, 255), kFxCopy);
  });
  for (int y = 8; y < 16; ++y) {
    for (int x = 8; x < 17; ++x) {
      const bool inside = x >= 10 && x <= 14 && y >= 10 && y <= 13;
      const bool edge = inside && (x == 10 || x == 14 || y == 10 || y == 13);
      EXPECT_EQ(At(x, y).r, edge ? 255 : 0) << x << "," << y;
    }
  }
  for (int x = 19; x <= 26; ++x) EXPECT_EQ(At(x, 30).g, x >= 20 && x <= 24 ? 255 : 0) << x;
  for (int y = 29; y <= 35; ++y) EXPECT_EQ(At(40, y).b, y >= 30 && y <= 33 ? 255 : 0) << y;
}

TEST_F(CanvasPixelTest, TrianglesAndQuadsInterpolateTheirColours) {
  Render([&] {
    canvas.FillTriangle({0, 0}, {40, 0}, {0, 40}, Engine(255, 0, 0), kFxCopy);
    canvas.FillQuad({TPoint2{100, 0}, TPoint2{200, 0}, TPoint2{200, 10}, TPoint2{100, 10}},
                    {Engine(0, 0, 0), Engine(255, 0, 0), Engine(255, 0, 0), Engine(0, 0, 0)}, kFxCopy);
  });
  EXPECT_EQ(At(5, 5).r, 255);
  EXPECT_EQ(At(35, 35).r, 0);
  EXPECT_TRUE(Near(At(150, 5), {128, 0, 0}, 3));
}

}  // namespace
}  // namespace ox::render
