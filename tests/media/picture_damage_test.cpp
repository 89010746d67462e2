// Damaged and hostile pictures: no decoder may crash, read past its bytes or allocate for a
// size the bytes cannot back; such pictures come out empty (or cut off where allowed).
#include <gtest/gtest.h>

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "media/bmp_decoder.h"
#include "media/jpeg_decoder.h"
#include "media/png_decoder.h"
#include "media/tga_decoder.h"

namespace ox::media {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Decoder = Bitmap (*)(std::span<const std::uint8_t>, std::string&);

Bytes ReadFixture(const std::string& name) {
  std::ifstream in(std::string(OX_TEST_DATA) + "/pictures/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = v & 0xFF, b[at + 1] = v >> 8 & 0xFF;
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF), Put16(b, at + 2, v >> 16);
}

// A bitmap with a 40-byte info header; pixels as given.
Bytes MakeBmp(std::int32_t width, std::int32_t height, int bits, int compression,
              const Bytes& palette, const Bytes& pixels) {
  Bytes b(54, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, static_cast<std::uint32_t>(54 + palette.size()));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(width));
  Put32(b, 22, static_cast<std::uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<std::uint32_t>(bits));
  Put32(b, 30, static_cast<std::uint32_t>(compression));
  Put32(b, 46, static_cast<std::uint32_t>(palette.size() / 4));
  b.insert(b.end(), palette.begin(), palette.end());
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

Bytes MakeTga(int type, int depth, int width, int height, const Bytes& data,
              int colourMapType = 0) {
  Bytes b(18, 0);
  b[1] = static_cast<std::uint8_t>(colourMapType);
  b[2] = static_cast<std::uint8_t>(type);
  Put16(b, 12, static_cast<std::uint32_t>(width));
  Put16(b, 14, static_cast<std::uint32_t>(height));
  b[16] = static_cast<std::uint8_t>(depth);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

const Bytes kTwoColours = {0, 0, 0, 0, 10, 20, 30, 0};  // black, then blue 10 green 20 red 30

bool Whole(const Bitmap& b) {
  return b.width > 0 && b.height > 0 && b.pitch >= b.width &&
         b.pixels.size() >= std::size_t(b.pitch) * std::size_t(b.height) &&
         (b.paletteIndices.empty() || b.paletteIndices.size() == b.PixelCount());
}

struct Sample {
  const char* name;
  Decoder decode;
};

const Sample kSamples[] = {
    {"bmp4_rle.bmp", DecodeBmp},     {"bmp8_rle.bmp", DecodeBmp},
    {"bmp8_core.bmp", DecodeBmp},    {"bmp16.bmp", DecodeBmp},
    {"bmp24.bmp", DecodeBmp},        {"bmp32.bmp", DecodeBmp},
    {"tga24_bottom.tga", DecodeTga}, {"tga32_rle_bottom.tga", DecodeTga},
    {"png3.png", DecodePng},         {"png6_16_interlaced.png", DecodePng},
    {"jpeg.jpg", DecodeJpeg},
};

TEST(DamagedPictures, EveryTruncationIsEmptyOrWhole) {
  for (const Sample& sample : kSamples) {
    const Bytes whole = ReadFixture(sample.name);
    for (std::size_t size = 0; size < whole.size(); ++size) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      std::string failure;
      const Bitmap bitmap = sample.decode(cut, failure);
      EXPECT_TRUE(bitmap.Empty() ? !failure.empty() : Whole(bitmap))
          << sample.name << " cut to " << size;
    }
  }
}

TEST(DamagedPictures, ShortPixelDataIsUndecodable) {
  for (const Sample& sample :
       {Sample{"bmp24.bmp", DecodeBmp}, Sample{"tga24_bottom.tga", DecodeTga},
        Sample{"tga32_rle_bottom.tga", DecodeTga}}) {
    Bytes bytes = ReadFixture(sample.name);
    bytes.resize(bytes.size() - 8);
    std::string failure;
    EXPECT_TRUE(sample.decode(bytes, failure).Empty()) << sample.name;
    EXPECT_NE(failure.find("short"), std::string::npos) << failure;
  }
}

TEST(DamagedPictures, FlippedBytesNeverCrash) {
  std::mt19937 random(7);
  for (const Sample& sample : kSamples) {
    const Bytes whole = ReadFixture(sample.name);
    for (int round = 0; round < 300; ++round) {
      Bytes bytes = whole;
      for (int flips = 1 + round % 4; flips > 0; --flips) {
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      }
      std::string failure;
      const Bitmap bitmap = sample.decode(bytes, failure);
      EXPECT_TRUE(bitmap.Empty() || Whole(bitmap)) << sample.name << " round " << round;
    }
  }
}

TEST(HugePictures, RefusedBeforeAllocating) {
  std::string failure;
  EXPECT_TRUE(DecodeBmp(MakeBmp(100000, 100000, 24, 0, {}, Bytes(64)), failure).Empty());
  EXPECT_NE(failure.find("too large"), std::string::npos) << failure;
  EXPECT_TRUE(DecodeBmp(MakeBmp(100000, -100000, 8, 1, kTwoColours, {0, 1}), failure).Empty());
  EXPECT_TRUE(DecodeBmp(MakeBmp(16385, 1, 24, 0, {}, Bytes(16385 * 3 + 1)), failure).Empty());
  EXPECT_TRUE(DecodeBmp(MakeBmp(-5, 5, 24, 0, {}, Bytes(64)), failure).Empty());
  const Bitmap widest = DecodeBmp(MakeBmp(16384, 1, 24, 0, {}, Bytes(16384 * 3)), failure);
  EXPECT_EQ(widest.width, 16384);
  EXPECT_TRUE(DecodeTga(MakeTga(2, 24, 65535, 65535, Bytes(64)), failure).Empty());

  Bytes png = ReadFixture("png2.png");  // IHDR: width at 16, height at 20, CRC at 29
  for (std::size_t at : {16, 20})
    png[at] = 0, png[at + 1] = 1, png[at + 2] = 0x86, png[at + 3] = 0xA0;
  const uLong crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  EXPECT_TRUE(DecodePng(png, failure).Empty());
  EXPECT_FALSE(failure.empty());

  Bytes jpeg = ReadFixture("jpeg.jpg");
  std::size_t frame =
      2;  // find the baseline frame header: height and width follow its length and precision
  while (frame + 9 < jpeg.size() && !(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0)) ++frame;
  ASSERT_LT(frame + 9, jpeg.size());
  jpeg[frame + 5] = 0xEA, jpeg[frame + 6] = 0x60;  // 60000
  jpeg[frame + 7] = 0xEA, jpeg[frame + 8] = 0x60;
  EXPECT_TRUE(DecodeJpeg(jpeg, failure).Empty());
  EXPECT_NE(failure.find("too large"), std::string::npos) << failure;
}

TEST(TargaRunLength, RunsPastTheLastPixelAreCutOff) {
  std::string failure;
  const Bitmap run = DecodeTga(MakeTga(10, 24, 2, 1, {0xFF, 1, 2, 3}), failure);
  ASSERT_EQ(run.PixelCount(), 2u) << failure;
  EXPECT_EQ(run.At(1, 0), 0xFF030201u);
  // A literal packet of three pixels on a picture of two: the third need not even be there.
  const Bitmap literal = DecodeTga(MakeTga(10, 32, 2, 1, {0x02, 1, 2, 3, 4, 5, 6, 7, 8}), failure);
  ASSERT_EQ(literal.PixelCount(), 2u) << failure;
  EXPECT_EQ(literal.At(0, 0), 0x04030201u);
  EXPECT_EQ(literal.At(1, 0), 0x08070605u);
  EXPECT_TRUE(literal.hasAlpha);
  EXPECT_TRUE(DecodeTga(MakeTga(10, 24, 2, 2, {0x81, 1, 2, 3}), failure).Empty());
  EXPECT_TRUE(DecodeTga(MakeTga(10, 24, 2, 1, {0x81, 1, 2}), failure).Empty());
}

TEST(TargaKinds, OnlyTrueColourOf24Or32Bits) {
  std::string failure;
  const Bytes data(64, 0x40);
  EXPECT_FALSE(DecodeTga(MakeTga(2, 24, 2, 2, data), failure).Empty());
  EXPECT_TRUE(DecodeTga(MakeTga(1, 24, 2, 2, data), failure).Empty());  // colour-mapped
  EXPECT_TRUE(DecodeTga(MakeTga(3, 24, 2, 2, data), failure).Empty());  // grey
  EXPECT_TRUE(DecodeTga(MakeTga(2, 16, 2, 2, data), failure).Empty());
  EXPECT_TRUE(DecodeTga(MakeTga(2, 24, 2, 2, data, 1), failure).Empty());  // with a colour map
  Bytes longId = MakeTga(2, 24, 1, 1, {1, 2, 3});
  longId[0] = 200;
  EXPECT_TRUE(DecodeTga(longId, failure).Empty());
}

TEST(BmpRunLength, PacketsPastTheLastRowAreUndecodable) {
  std::string failure;
  // Two rows of two: a run of five on the bottom row keeps two, then the top row, then the end.
  const Bitmap dropped =
      DecodeBmp(MakeBmp(2, 2, 8, 1, kTwoColours, {5, 1, 0, 0, 2, 0, 0, 1}), failure);
  ASSERT_EQ(dropped.PixelCount(), 4u) << failure;
  EXPECT_EQ(dropped.At(0, 1), 0xFF1E140Au);
  EXPECT_EQ(dropped.paletteIndices, (Bytes{0, 0, 1, 1}));
  EXPECT_TRUE(DecodeBmp(MakeBmp(2, 1, 8, 1, kTwoColours, {0, 0, 1, 1, 0, 1}), failure).Empty());
  EXPECT_TRUE(
      DecodeBmp(MakeBmp(2, 1, 8, 1, kTwoColours, {0, 2, 0, 2, 0, 1}), failure).Empty());  // delta
  EXPECT_TRUE(DecodeBmp(MakeBmp(2, 1, 8, 1, kTwoColours, {2, 1}), failure).Empty());      // no end
  EXPECT_TRUE(
      DecodeBmp(MakeBmp(2, 1, 8, 1, kTwoColours, {0, 4, 1, 1}), failure).Empty());  // absolute
  EXPECT_FALSE(DecodeBmp(MakeBmp(2, 1, 8, 1, kTwoColours, {0, 2, 0, 1, 0, 1}), failure).Empty());
}

TEST(BmpKinds, UnknownOrInconsistentHeadersAreUndecodable) {
  std::string failure;
  EXPECT_TRUE(DecodeBmp(MakeBmp(1, 1, 24, 4, {}, Bytes(4)), failure).Empty());   // embedded JPEG
  EXPECT_TRUE(DecodeBmp(MakeBmp(1, 1, 24, 3, {}, Bytes(16)), failure).Empty());  // masks of 24 bits
  EXPECT_TRUE(
      DecodeBmp(MakeBmp(1, 1, 4, 1, kTwoColours, Bytes(4)), failure).Empty());  // RLE8 of 4 bits
  Bytes shortPalette = MakeBmp(1, 1, 8, 0, kTwoColours, {});
  Put32(shortPalette, 46, 9);
  EXPECT_TRUE(DecodeBmp(shortPalette, failure).Empty());
  Bytes farBits = MakeBmp(1, 1, 24, 0, {}, Bytes(4));
  Put32(farBits, 10, 1000);
  EXPECT_TRUE(DecodeBmp(farBits, failure).Empty());
  Bytes hugeHeader = MakeBmp(1, 1, 24, 0, {}, Bytes(4));
  Put32(hugeHeader, 14, 0xFFFFFFF0);
  EXPECT_TRUE(DecodeBmp(hugeHeader, failure).Empty());
  // An index past the palette gives black.
  const Bitmap black = DecodeBmp(MakeBmp(2, 1, 8, 0, kTwoColours, {1, 7, 0, 0}), failure);
  ASSERT_EQ(black.PixelCount(), 2u) << failure;
  EXPECT_EQ(black.At(1, 0), 0xFF000000u);
  EXPECT_EQ(black.paletteIndices[1], 7);
}

}  // namespace
}  // namespace ox::media
