// How picture texels reach the OpenGL back end: a picture already in its texture's layout is
// taken over without a copy, texels go to the driver when their texture is next drawn, and
// released textures are reused for the next of their size.
#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "platform/graphics/gl_texture_pool.h"

namespace ox::render {
namespace {

using testing::GlCanvasTest;
using testing::Near;

// A 5 x 3 picture of one colour, in the layout of its texture (rows of TextureSide(5) texels).
TexelBuffer Laid(std::uint32_t argb) {
  return TexelBuffer(static_cast<std::size_t>(TextureSide(5)) * TextureSide(3), argb);
}

using PictureUploadTest = GlCanvasTest;

TEST_F(PictureUploadTest, APictureTakenOverDrawsAndReadsBackLikeACutOne) {
  TexelBuffer laid = Laid(0xFF000000);
  std::vector<std::uint32_t> compact;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const std::uint32_t texel = 0xFF000000u | static_cast<std::uint32_t>(x * 40) << 16 |
                                  static_cast<std::uint32_t>(y * 100);
      laid[static_cast<std::size_t>(y * TextureSide(5) + x)] = texel;
      compact.push_back(texel);
    }
  }
  TAsphyreImage taken(backend);
  ASSERT_TRUE(taken.LoadFromBitmap(std::move(laid), 5, 3, TextureSide(5), 1, 1));
  const auto cut = Picture(compact, 5, 3);
  for (int y = 0; y < taken.TextureHeight(); ++y) {
    for (int x = 0; x < taken.TextureWidth(); ++x)
      ASSERT_EQ(taken.Pixel(x, y, 0), cut->Pixel(x, y, 0)) << x << "," << y;
  }
  Render([&] {
    canvas.Draw(&taken, 100, 100, 0, 0xFFFFFFFF, kFxCopy);
    canvas.Draw(cut.get(), 200, 100, 0, 0xFFFFFFFF, kFxCopy);
  });
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_TRUE(Near(At(100 + x, 100 + y), {x * 40, 0, y * 100}, 0)) << x << "," << y;
      EXPECT_TRUE(Near(At(100 + x, 100 + y), At(200 + x, 100 + y), 0));
    }
  }
  EXPECT_TRUE(Near(At(105, 100), {0, 0, 0}, 0)) << "only the pattern is drawn, not its border";
}

TEST_F(PictureUploadTest, AReusedTextureShowsOnlyTheNewPicture) {
  {
    TAsphyreImage red(backend);
    ASSERT_TRUE(red.LoadFromBitmap(Laid(0xFFFF0000), 5, 3, TextureSide(5), 1, 1));
  }
  TAsphyreImage green(backend);
  ASSERT_TRUE(green.LoadFromBitmap(Laid(0xFF00FF00), 5, 3, TextureSide(5), 1, 1));
  {
    const auto blue = Solid(0xFF0000FF, 5, 3);
  }
  const auto white = Solid(0xFFFFFFFF, 5, 3);  // written through a lock into a reused texture
  Render([&] {
    canvas.Draw(&green, 10, 10, 0, 0xFFFFFFFF, kFxCopy);
    canvas.Draw(white.get(), 20, 10, 0, 0xFFFFFFFF, kFxCopy);
  });
  EXPECT_TRUE(Near(At(12, 11), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(22, 11), {255, 255, 255}, 0));
  EXPECT_EQ(green.Pixel(7, 2, 0), 0xFF00FF00u);
  EXPECT_EQ(backend.CreateTextureFrom(4, 4, TexelBuffer(15)), 0u) << "a buffer of the wrong size";
}

TEST_F(PictureUploadTest, TexelsWrittenBetweenTwoDrawsOfABoundTextureReachTheSecond) {
  const auto picture = Solid(0xFFFF0000, 5, 3);
  Render([&] {
    canvas.Draw(picture.get(), 10, 10, 0, 0xFFFFFFFF, kFxCopy);
    canvas.Flush();  // drawn red; the texture stays bound
    ASSERT_TRUE(picture->WriteTexture(0, std::vector<std::uint32_t>(8 * 6, 0xFF0000FF)));
    canvas.Draw(picture.get(), 20, 10, 0, 0xFFFFFFFF, kFxCopy);
  });
  EXPECT_TRUE(Near(At(12, 11), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(22, 11), {0, 0, 255}, 0));
}

TEST_F(PictureUploadTest, ThePoolKeepsTheNewestTexturesWithinItsBudget) {
  platform::GlTexturePool pool(100);
  GLuint names[4];
  glGenTextures(4, names);
  for (const GLuint name : names) glBindTexture(GL_TEXTURE_2D, name);  // names become textures
  glBindTexture(GL_TEXTURE_2D, 0);
  pool.Keep(names[0], 5, 10);
  pool.Keep(names[1], 5, 10);
  pool.Keep(names[2], 4, 10);  // 140 texels: the oldest goes
  EXPECT_FALSE(glIsTexture(names[0]));
  EXPECT_TRUE(glIsTexture(names[1]));
  pool.Keep(names[3], 11, 10);  // alone above the budget
  EXPECT_FALSE(glIsTexture(names[3]));
  EXPECT_EQ(pool.Take(10, 5), 0u) << "width and height must both match";
  EXPECT_EQ(pool.Take(5, 10), names[1]);
  EXPECT_EQ(pool.Take(5, 10), 0u);
  pool.Keep(names[1], 5, 10);
  pool.Clear();
  EXPECT_FALSE(glIsTexture(names[1]));
  EXPECT_FALSE(glIsTexture(names[2]));
  EXPECT_EQ(pool.Take(4, 10), 0u);
}

}  // namespace
}  // namespace ox::render
