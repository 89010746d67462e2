// The decoders against pictures written by other encoders (see data/pictures/make_pictures.sh):
// each X.rgba beside a picture is the encoder's own decoding of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/bmp_decoder.h"
#include "media/jpeg_decoder.h"
#include "media/picture_decoder.h"
#include "media/png_decoder.h"
#include "media/tga_decoder.h"

namespace ox::media {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFixture(const std::string& name) {
  std::ifstream in(std::string(OX_TEST_DATA) + "/pictures/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

// The largest difference of any channel between the bitmap and the encoder's RGBA bytes.
int LargestDifference(const Bitmap& bitmap, const Bytes& rgba) {
  int largest = 0;
  for (std::size_t i = 0; i < bitmap.PixelCount(); ++i) {
    const int width = bitmap.width;
    const std::uint32_t p = bitmap.At(static_cast<int>(i) % width, static_cast<int>(i) / width);
    const int channels[4] = {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF), int(p >> 24)};
    for (int c = 0; c < 4; ++c)
      largest = std::max(largest, std::abs(channels[c] - rgba[4 * i + c]));
  }
  return largest;
}

struct Fixture {
  const char* name;
  bool hasAlpha;
  int tolerance;
};

class EncodedPicture : public ::testing::TestWithParam<Fixture> {};

TEST_P(EncodedPicture, MatchesTheEncodersPixels) {
  const Fixture fixture = GetParam();
  const Bitmap bitmap = DecodePicture(fixture.name, ReadFixture(fixture.name));
  ASSERT_EQ(bitmap.width, 7);
  ASSERT_EQ(bitmap.height, 5);
  ASSERT_EQ(bitmap.PixelCount(), 35u);
  EXPECT_EQ(bitmap.hasAlpha, fixture.hasAlpha);
  EXPECT_LE(LargestDifference(bitmap, ReadFixture(Stem(fixture.name) + ".rgba")),
            fixture.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Bitmaps, EncodedPicture,
    ::testing::Values(Fixture{"bmp1.bmp", false, 0}, Fixture{"bmp4.bmp", false, 0},
                      Fixture{"bmp4_rle.bmp", false, 0}, Fixture{"bmp8.bmp", false, 0},
                      Fixture{"bmp8_rle.bmp", false, 0}, Fixture{"bmp8_core.bmp", false, 0},
                      Fixture{"bmp8_topdown.bmp", false, 0}, Fixture{"bmp16.bmp", false, 1},
                      Fixture{"bmp16_565.bmp", false, 1}, Fixture{"bmp16_plain.bmp", false, 1},
                      Fixture{"bmp24.bmp", false, 0}, Fixture{"bmp32.bmp", true, 0},
                      Fixture{"bmp32_plain.bmp", true, 0}));

INSTANTIATE_TEST_SUITE_P(Targa, EncodedPicture,
                         ::testing::Values(Fixture{"tga24_bottom.tga", false, 0},
                                           Fixture{"tga32_top.tga", true, 0},
                                           Fixture{"tga24_rle_top.tga", false, 0},
                                           Fixture{"tga32_rle_bottom.tga", true, 0},
                                           Fixture{"tga24_right_bottom.tga", false, 0},
                                           Fixture{"tga32_rle_right_top.tga", true, 0}));

INSTANTIATE_TEST_SUITE_P(
    Png, EncodedPicture,
    ::testing::Values(Fixture{"png0.png", false, 0}, Fixture{"png2.png", false, 0},
                      Fixture{"png3.png", false, 0}, Fixture{"png4.png", true, 0},
                      Fixture{"png6.png", true, 0}, Fixture{"png6_16_interlaced.png", true, 1}));

INSTANTIATE_TEST_SUITE_P(Jpeg, EncodedPicture,
                         ::testing::Values(Fixture{"jpeg.jpg", false, 3},
                                           Fixture{"jpeg_grey.jpg", false, 3}));

TEST(PaletteIndices, KeptForEightBitBitmapsOnly) {
  const Bitmap topDown = DecodePicture("bmp8_topdown.bmp", ReadFixture("bmp8_topdown.bmp"));
  ASSERT_EQ(topDown.paletteIndices.size(), 35u);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(topDown.paletteIndices[y * 7 + x], (x * 7 + y * 3) % 40) << x << "," << y;
  }
  // The same picture stored plain, run-length encoded and with a core header.
  const Bitmap plain = DecodePicture("bmp8.bmp", ReadFixture("bmp8.bmp"));
  ASSERT_EQ(plain.paletteIndices.size(), 35u);
  EXPECT_EQ(DecodePicture("bmp8_rle.bmp", ReadFixture("bmp8_rle.bmp")).paletteIndices,
            plain.paletteIndices);
  EXPECT_EQ(DecodePicture("bmp8_core.bmp", ReadFixture("bmp8_core.bmp")).paletteIndices,
            plain.paletteIndices);
  for (const char* name : {"bmp4.bmp", "bmp4_rle.bmp", "bmp24.bmp", "png3.png"}) {
    EXPECT_TRUE(DecodePicture(name, ReadFixture(name)).paletteIndices.empty()) << name;
  }
}

TEST(PngAlpha, TransparencyChunkIsNotAlpha) {
  const Bitmap bitmap = DecodePicture("png3_trns.png", ReadFixture("png3_trns.png"));
  ASSERT_EQ(bitmap.PixelCount(), 35u);
  EXPECT_FALSE(bitmap.hasAlpha);
  Bytes expected = ReadFixture("png3_trns.rgba");
  for (std::size_t i = 3; i < expected.size(); i += 4) expected[i] = 255;
  EXPECT_EQ(LargestDifference(bitmap, expected), 0);
}

TEST(PictureFormat, ChosenByTheExtensionInAnyCase) {
  EXPECT_EQ(PictureFormatOf("PICS\\ROOM.TGA"), PictureFormat::Tga);
  EXPECT_EQ(PictureFormatOf("logos\\logo1.Jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("a.JPEG"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("unicode/unicode.png"), PictureFormat::Png);
  EXPECT_EQ(PictureFormatOf("particles.bmp"), PictureFormat::Bmp);
  EXPECT_EQ(PictureFormatOf("room.gif"), PictureFormat::Bmp);
  EXPECT_EQ(PictureFormatOf("pics.png\\room"), PictureFormat::Bmp);
  // A Targa picture named as a bitmap is read as a bitmap, and fails with one line.
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(DecodePicture("ROOM.BMP", ReadFixture("tga24_bottom.tga")).Empty());
  const std::string logged = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(logged.find("ROOM.BMP"), std::string::npos) << logged;
  EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
}

}  // namespace
}  // namespace ox::media
