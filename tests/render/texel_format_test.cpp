#include "render/backend.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_backend.h"
#include "render/asphyre_image.h"

namespace ox::render {
namespace {

TEST(TexelFormatTest, FullAndEmptyChannelsSurviveEveryFormat) {
  for (const TextureFormat f :
       {TextureFormat::A8R8G8B8, TextureFormat::X8R8G8B8, TextureFormat::A4R4G4B4, TextureFormat::X4R4G4B4,
        TextureFormat::A8R3G3B2, TextureFormat::R3G3B2, TextureFormat::A1R5G5B5, TextureFormat::X1R5G5B5,
        TextureFormat::R5G6B5}) {
    EXPECT_EQ(DecodeTexel(f, EncodeTexel(f, 0xFFFFFFFF)), 0xFFFFFFFFu) << static_cast<int>(f);
    EXPECT_EQ(DecodeTexel(f, EncodeTexel(f, 0xFF000000)), 0xFF000000u) << static_cast<int>(f);
    EXPECT_EQ(DecodeTexel(f, EncodeTexel(f, 0xFFFF0000)), 0xFFFF0000u) << static_cast<int>(f);
  }
}

TEST(TexelFormatTest, NarrowChannelsKeepTheirTopBitsAndAlphaLessFormatsReadOpaque) {
  EXPECT_EQ(EncodeTexel(TextureFormat::A4R4G4B4, 0x80C0A010), 0x8CA1u);
  EXPECT_EQ(DecodeTexel(TextureFormat::A4R4G4B4, 0x8CA1), 0x88CCAA11u);
  EXPECT_EQ(EncodeTexel(TextureFormat::R5G6B5, 0x00FF8000), 0xFC00u);
  EXPECT_EQ(DecodeTexel(TextureFormat::R5G6B5, 0xFC00), 0xFFFF8200u);
  EXPECT_EQ(DecodeTexel(TextureFormat::X8R8G8B8, 0x00123456), 0xFF123456u);
  EXPECT_EQ(DecodeTexel(TextureFormat::A1R5G5B5, 0x7FFF), 0x00FFFFFFu);
  EXPECT_EQ(DecodeTexel(TextureFormat::A8, 0x7F), 0x7F000000u);
  EXPECT_EQ(DecodeTexel(TextureFormat::A8R3G3B2, EncodeTexel(TextureFormat::A8R3G3B2, 0x40E0C080)),
            0x40FFDBAAu);
}

TEST(TexelFormatTest, RowsAreLittleEndianTexels) {
  const std::vector<std::uint32_t> colours = {0xFF102030, 0x00405060};
  std::vector<std::uint8_t> bytes(8);
  EncodeRow(TextureFormat::A8R8G8B8, colours, bytes.data());
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0xFF, 0x60, 0x50, 0x40, 0x00}));
  std::vector<std::uint32_t> back(2);
  DecodeRow(TextureFormat::A8R8G8B8, bytes.data(), back);
  EXPECT_EQ(back, colours);
}

TEST(PictureTexturesTest, APictureIsCutIntoPatternsWithRepeatedEdges) {
  testing::FakeBackend backend;
  TAsphyreImage image(backend);
  // 6 x 3 picture, 2 columns of 3 x 3 patterns; texel value = x + 10 y.
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x + 10 * y));
  }
  ASSERT_TRUE(image.LoadFromBitmap(pixels, 6, 3, 2, 1));
  EXPECT_EQ(image.PatternCount(), 2);
  EXPECT_EQ(image.PatternWidth(), 3);
  EXPECT_EQ(image.VisibleHeight(), 3);
  EXPECT_EQ(image.TextureWidth(), 6);  // 3 + 2 = 5, raised to 6
  EXPECT_EQ(image.TextureCount(), 2);
  // Blue holds the test value; the engine order puts it in bits 16-23.
  const auto value = [&](int x, int y, int t) { return static_cast<int>((image.Pixel(x, y, t) >> 16) & 0xFF); };
  EXPECT_EQ(value(0, 0, 1), 3);
  EXPECT_EQ(value(2, 2, 1), 25);
  EXPECT_EQ(value(3, 1, 1), 15);  // right edge repeated
  EXPECT_EQ(value(4, 1, 1), 15);
  EXPECT_EQ(value(5, 1, 1), 13);  // last column wraps to the left edge
  EXPECT_EQ(value(1, 3, 0), 21);  // bottom edge repeated
  EXPECT_EQ(value(1, 5, 0), 1);   // last row wraps to the top edge
  EXPECT_EQ(image.Pixel(0, 0, 0) >> 24, 0xFFu);
  EXPECT_EQ(image.Pixel(6, 0, 0), 0u);
  EXPECT_EQ(image.Pixel(0, 0, 2), 0u);
  EXPECT_EQ(GetTexturePixel(nullptr, 0, 0, 0), 0u);
}

TEST(PictureTexturesTest, TextureSizesFollowTheGridAndAFormatFallsBack) {
  testing::FakeBackend backend;
  backend.unsupported = {TextureFormat::A8R8G8B8, TextureFormat::A4R4G4B4};
  TAsphyreImage image(backend);
  std::vector<std::uint32_t> pixels(256 * 64, 0x80FF0000);
  ASSERT_TRUE(image.LoadFromBitmap(pixels, 256, 64, 4, 2));
  EXPECT_EQ(image.PatternCount(), 8);
  EXPECT_EQ(image.PatternWidth(), 64);
  EXPECT_EQ(image.PatternHeight(), 32);
  EXPECT_EQ(image.TextureWidth(), 66);
  EXPECT_EQ(image.TextureHeight(), 34);
  EXPECT_EQ(image.Format(), TextureFormat::A8R3G3B2);
  EXPECT_EQ(image.Pixel(10, 10, 7), 0x800000FFu);  // full red through three bits, engine order

  backend.unsupported = {TextureFormat::A8R8G8B8, TextureFormat::A4R4G4B4, TextureFormat::A8R3G3B2,
                         TextureFormat::A1R5G5B5};
  EXPECT_FALSE(image.LoadFromBitmap(pixels, 256, 64, 4, 2));
  EXPECT_EQ(image.TextureCount(), 0);
  EXPECT_TRUE(backend.textures.empty());
}

TEST(PictureTexturesTest, EmptyOrMismatchedPicturesGiveNoTextures) {
  testing::FakeBackend backend;
  TAsphyreImage image(backend);
  EXPECT_TRUE(image.LoadFromBitmap({}, 0, 0, 1, 1));
  EXPECT_EQ(image.TextureCount(), 0);
  std::vector<std::uint32_t> pixels(4, 0);
  EXPECT_TRUE(image.LoadFromBitmap(pixels, 2, 2, 3, 1));  // smaller than its grid
  EXPECT_EQ(image.PatternCount(), 0);
  EXPECT_FALSE(image.LoadFromBitmap(pixels, 3, 3, 1, 1));  // too few pixels
  {
    TAsphyreImage loaded(backend);
    ASSERT_TRUE(loaded.LoadFromBitmap(pixels, 2, 2, 0, 0));  // no grid counts as 1 x 1
    EXPECT_EQ(loaded.PatternCount(), 1);
  }
  EXPECT_TRUE(backend.textures.empty());  // released with the set
}


// Every texel of every texture, in the engine's channel order.
std::vector<std::uint32_t> AllTexels(const TAsphyreImage& image) {
  std::vector<std::uint32_t> texels;
  for (int t = 0; t < image.TextureCount(); ++t) {
    for (int y = 0; y < image.TextureHeight(); ++y) {
      for (int x = 0; x < image.TextureWidth(); ++x) texels.push_back(image.Pixel(x, y, t));
    }
  }
  return texels;
}

// A width x height picture (texel value x + 10 y) in a buffer with rows `pitch` apart.
TexelBuffer PictureBuffer(int width, int height, int pitch, int rows) {
  TexelBuffer buffer(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(rows), 0xDEADBEEF);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      buffer[static_cast<std::size_t>(y * pitch + x)] = 0xFF000000u | static_cast<std::uint32_t>(x + 10 * y);
  }
  return buffer;
}

TEST(PictureTexturesTest, APictureInItsTextureLayoutBecomesTheSameTextureAsACutOne) {
  testing::FakeBackend backend;
  const std::vector<std::uint32_t> compact = [] {
    const TexelBuffer b = PictureBuffer(5, 3, 5, 3);
    return std::vector<std::uint32_t>(b.begin(), b.end());
  }();
  TAsphyreImage cut(backend);
  ASSERT_TRUE(cut.LoadFromBitmap(compact, 5, 3, 1, 1));

  ASSERT_EQ(TextureSide(5), 8);
  ASSERT_EQ(TextureSide(3), 6);
  TAsphyreImage taken(backend);
  ASSERT_TRUE(taken.LoadFromBitmap(PictureBuffer(5, 3, 8, 6), 5, 3, 8, 1, 1));
  EXPECT_EQ(taken.TextureCount(), 1);
  EXPECT_EQ(taken.TextureWidth(), 8);
  EXPECT_EQ(taken.TextureHeight(), 6);
  EXPECT_EQ(taken.PatternWidth(), 5);
  EXPECT_EQ(AllTexels(taken), AllTexels(cut)) << "the border is filled in place, not left as it was";

  // Other layouts and grids are cut from the buffer.
  TAsphyreImage wide(backend);
  ASSERT_TRUE(wide.LoadFromBitmap(PictureBuffer(5, 3, 13, 3), 5, 3, 13, 1, 1));
  EXPECT_EQ(AllTexels(wide), AllTexels(cut));
  TAsphyreImage grid(backend);
  ASSERT_TRUE(grid.LoadFromBitmap(PictureBuffer(6, 3, 8, 6), 6, 3, 8, 2, 1));
  EXPECT_EQ(grid.TextureCount(), 2);
  EXPECT_EQ(static_cast<int>((grid.Pixel(2, 2, 1) >> 16) & 0xFF), 25);
  TAsphyreImage shortBuffer(backend);
  EXPECT_FALSE(shortBuffer.LoadFromBitmap(PictureBuffer(5, 2, 8, 2), 5, 3, 8, 1, 1));
}

TEST(PictureTexturesTest, ABackEndThatCannotTakeTheBufferGetsItCopiedThroughALock) {
  testing::FakeBackend backend;
  backend.copyBuffers = true;
  TAsphyreImage taken(backend), cut(backend);
  ASSERT_TRUE(taken.LoadFromBitmap(PictureBuffer(5, 3, 8, 6), 5, 3, 8, 1, 1));
  ASSERT_TRUE(cut.LoadFromBitmap(PictureBuffer(5, 3, 13, 3), 5, 3, 13, 1, 1));  // not laid out
  EXPECT_EQ(AllTexels(taken), AllTexels(cut));
  EXPECT_EQ(backend.CreateTextureFrom(4, 4, TexelBuffer(15)), 0u) << "a buffer of the wrong size";
  EXPECT_EQ(backend.textures.size(), 2u);
}

TEST(PictureTexturesTest, APictureInItsTextureLayoutFallsBackToANarrowerFormat) {
  testing::FakeBackend backend;
  backend.unsupported = {TextureFormat::A8R8G8B8};
  TAsphyreImage image(backend);
  ASSERT_TRUE(image.LoadFromBitmap(PictureBuffer(5, 3, 8, 6), 5, 3, 8, 1, 1));
  EXPECT_EQ(image.Format(), TextureFormat::A4R4G4B4);
  EXPECT_EQ(image.Pixel(7, 0, 0), 0xFF000000u) << "the last column repeats the first";
}

}  // namespace
}  // namespace ox::render
