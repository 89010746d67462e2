// What a loaded picture holds: its grid, its companions' alpha and colours, and its effects.
#include "image_store_test_host.h"
#include "media/grid_description.h"
#include "media/picture_decoder.h"

namespace ox::media::testing {
namespace {

// The palette indices of the 6x3 mask fixture, which the mask rules turn into alpha.
std::vector<std::uint8_t> MaskIndices(const std::string& fixture = "mask8.bmp") {
  const Bitmap mask = DecodePicture(fixture, FixtureBytes(fixture));
  EXPECT_EQ(mask.paletteIndices.size(), mask.PixelCount());
  return mask.paletteIndices;
}

class PictureTest : public ImageStoreTest {
 protected:
  // Every pixel of a 6x3 picture has the mask's alpha and the colour fixture's colour.
  void ExpectMaskedColour(TOxIm* handle) {
    ASSERT_NE(handle->Image(), nullptr);
    ASSERT_EQ(handle->Image()->PatternWidth(), 6);
    const std::vector<std::uint8_t> mask = MaskIndices();
    ASSERT_EQ(mask.size(), 18u);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 6; ++x) {
        const std::uint32_t pixel = PixelOf(handle, x, y);
        EXPECT_EQ(Alpha(pixel), mask[static_cast<std::size_t>(y * 6 + x)]) << x << "," << y;
        EXPECT_NEAR(Red(pixel), 0x30, 3);
        EXPECT_NEAR(Green(pixel), 0x60, 3);
        EXPECT_NEAR(Blue(pixel), 0xC0, 3);
      }
    }
  }
};

TEST(GridDescriptionTest, CountsAreTheFirstIntegersOfTwoLines) {
  const auto grid = [](std::string_view text) {
    const GridSize size = ParseGridDescription(text);
    return std::pair(size.columns, size.rows);
  };
  EXPECT_EQ(grid("4\n2\n"), std::pair(4, 2));
  EXPECT_EQ(grid("  4 columns\r\n\r\n 2\r\n"), std::pair(4, 2))
      << "blank lines before a count are skipped";
  EXPECT_EQ(grid("4 3\n2"), std::pair(4, 2)) << "the rest of a count's line is ignored";
  EXPECT_EQ(grid("0\n0"), std::pair(1, 1));
  EXPECT_EQ(grid("-3\nx"), std::pair(1, 1));
  EXPECT_EQ(grid("5"), std::pair(5, 1));
  EXPECT_EQ(grid(""), std::pair(1, 1));
  EXPECT_EQ(grid("99999999999999999999\n1"), std::pair(2147483647, 1));
}

TEST_F(PictureTest, AGridDescriptionCutsThePictureIntoPatternsRowByRow) {
  host.PutGame("grid.png", "grid.png");
  host.PutGameText("grid.an", "4\n2\n");
  TOxIm* handle = store.RequestImage("grid.png", false);
  const render::TAsphyreImage* image = handle->Image();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->PatternCount(), 8);
  EXPECT_EQ(image->TextureCount(), 8);
  EXPECT_EQ(image->PatternWidth(), 64);
  EXPECT_EQ(image->PatternHeight(), 32);
  EXPECT_EQ(image->VisibleWidth(), 64);
  EXPECT_EQ(image->TextureWidth(), 66);
  EXPECT_EQ(image->TextureHeight(), 34);
  EXPECT_EQ(handle->Bytes(), 256u * 64u * 4u);
  // Engine order, red in the low byte: pattern 1 is green, 5 cyan, 6 grey.
  EXPECT_EQ(PixelOf(handle, 10, 10, 1), 0xFF00FF00u);
  EXPECT_EQ(PixelOf(handle, 63, 31, 5), 0xFFFFFF00u);
  EXPECT_EQ(PixelOf(handle, 0, 0, 6), 0xFF808080u);
}

TEST_F(PictureTest, AnArchivedPictureTakesItsGridFromItsRecordThroughTheUserFolder) {
  host.SetArchive({TestHost::Record("art\\grid.png", "grid.png"),
                   TestHost::TextRecord("art\\grid.an", "2\n2\n")});
  host.PutGameText("art/grid.an", "4\n2\n");
  TOxIm* handle = store.RequestImage("art\\grid.png", false);
  ASSERT_NE(handle->Image(), nullptr);
  EXPECT_EQ(handle->Image()->PatternCount(), 4)
      << "the loose description belongs to loose pictures";
  EXPECT_EQ(handle->Image()->PatternWidth(), 128);
  const auto unpacked = platform::ReadWholeFile(host.user / "temp.an");
  ASSERT_TRUE(unpacked.has_value());
  EXPECT_EQ(*unpacked, "2\n2\n");
  EXPECT_FALSE(fs::exists(host.game / "temp.an"));
}

TEST_F(PictureTest, AGridDescriptionThatCannotBeUnpackedIsIgnored) {
  host.SetArchive(
      {TestHost::Record("grid.png", "grid.png"), TestHost::TextRecord("grid.an", "4\n2\n")});
  TestHost::Put(host.root, "user", {'x'});  // the per-user folder is a file: nothing can go in it
  TOxIm* handle = store.RequestImage("grid.png", false);
  ASSERT_NE(handle->Image(), nullptr);
  EXPECT_EQ(handle->Image()->PatternCount(), 1);
}

TEST_F(PictureTest, AnUnderscoredBmpTakesItsColoursFromTheJpegBeforeTheUnderscore) {
  host.PutGame("doors/door_m.bmp", "mask8.bmp");
  host.PutGame("doors/door.jpg", "colour.jpg");
  ExpectMaskedColour(store.RequestImage("doors\\door_m.bmp", false));
}

TEST_F(PictureTest, ABmpTakesItsColoursFromTheJpegNamedWithATrailingUnderscore) {
  host.PutGame("leaf.bmp", "mask8.bmp");
  host.PutGame("leaf_.jpg", "colour.jpg");
  ExpectMaskedColour(store.RequestImage("leaf.bmp", false));
}

TEST_F(PictureTest, AnUnderscoredJpegTakesItsAlphaFromTheBmpBeforeTheUnderscore) {
  host.PutGame("tree_c.jpg", "colour.jpg");
  host.PutGame("tree.bmp", "mask8.bmp");
  host.PutGame("bush.jpg", "colour.jpg");
  host.PutGame("bush.bmp", "mask8.bmp");
  ExpectMaskedColour(store.RequestImage("tree_c.jpg", false));
  EXPECT_EQ(Alpha(PixelOf(store.RequestImage("bush.jpg", false), 0, 0)), 255)
      << "no underscore, no mask";
}

TEST_F(PictureTest, AMaskWithoutAPaletteGivesItsGreyLevel) {
  host.PutGame("stone_m.bmp", "plain24.bmp");
  host.PutGame("stone.jpg", "colour.jpg");
  // 0xC8, 0x64, 0x32: (200 + 100 + 50) / 3 = 116.67.
  EXPECT_EQ(Alpha(PixelOf(store.RequestImage("stone_m.bmp", false), 3, 1)), 117);
}

TEST_F(PictureTest, CompanionsAreLookedForOnlyWhereThePictureWasFound) {
  host.SetArchive(
      {TestHost::Record("arch_m.bmp", "mask8.bmp"), TestHost::Record("disk.jpg", "colour.jpg")});
  host.PutGame("arch.jpg", "colour.jpg");
  host.PutGame("disk_m.bmp", "mask8.bmp");
  TOxIm* fromArchive = store.RequestImage("arch_m.bmp", false);
  TOxIm* fromDisk = store.RequestImage("disk_m.bmp", false);
  EXPECT_EQ(Alpha(PixelOf(fromArchive, 0, 0)), 255);
  EXPECT_EQ(Alpha(PixelOf(fromDisk, 0, 0)), 255);

  host.SetArchive(
      {TestHost::Record("arch_m.bmp", "mask8.bmp"), TestHost::Record("arch.jpg", "colour.jpg")});
  ExpectMaskedColour(ImageStore(backend, host).RequestImage("arch_m.bmp", false));
}

TEST_F(PictureTest, ACompanionLargerThanItsPartnerLeavesThePictureEmpty) {
  host.PutGame("wide_m.bmp", "mask8.bmp");
  host.PutGame("wide.jpg", "big.jpg");
  host.PutGame("tall_c.jpg", "colour.jpg");
  host.PutGame("tall.bmp", "mask8_big.bmp");
  host.PutGame("small_c.jpg", "big.jpg");
  host.PutGame("small.bmp", "mask8.bmp");
  for (const char* name : {"wide_m.bmp", "tall_c.jpg"}) {
    TOxIm* handle = store.RequestImage(name, false);
    EXPECT_FALSE(handle->Failed()) << name;
    ASSERT_NE(handle->Image(), nullptr) << name;
    EXPECT_EQ(handle->Image()->TextureCount(), 0) << name;
    EXPECT_EQ(handle->Bytes(), 0u) << name;
  }
  TOxIm* smaller = store.RequestImage("small_c.jpg", false);
  ASSERT_NE(smaller->Image(), nullptr);
  EXPECT_EQ(smaller->Image()->PatternWidth(), 6) << "a smaller second picture pairs with the first";
  EXPECT_EQ(Alpha(PixelOf(smaller, 5, 2)), MaskIndices()[17]);
}

TEST_F(PictureTest, AlphaViewAndGreyApplyToBmpPictures) {
  host.PutGame("plain.bmp", "plain24.bmp");
  host.PutGame("door_m.bmp", "mask8.bmp");
  host.PutGame("door.jpg", "colour.jpg");
  host.PutGame("grid.png", "grid.png");
  EXPECT_EQ(PixelOf(store.RequestImage("#plain.bmp", false), 0, 0), 0xFF757575u)
      << "116.67 rounds to 117";
  EXPECT_EQ(PixelOf(store.RequestImage("*plain.bmp", false), 0, 0), 0xFFFFFFFFu);
  const std::vector<std::uint8_t> mask = MaskIndices();
  TOxIm* viewed = store.RequestImage("*door_m.bmp", false);
  TOxIm* viewedGrey = store.RequestImage("*#door_m.bmp", false);
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(PixelOf(viewed, x, 1), mask[static_cast<std::size_t>(6 + x)] * 0x01010101u);
    EXPECT_EQ(PixelOf(viewedGrey, x, 1), mask[static_cast<std::size_t>(6 + x)] * 0x01010101u);
  }
  EXPECT_EQ(PixelOf(store.RequestImage("#grid.png", false), 0, 0), 0xFF0000FFu)
      << "a PNG keeps its colours";
}

TEST_F(PictureTest, ColoursKeepTheirChannelsFromFileToTexel) {
  host.PutGame("rgba.png", "rgba.png");
  EXPECT_EQ(PixelOf(store.RequestImage("rgba.png", false), 1, 1), 0x44332211u);
}

}  // namespace
}  // namespace ox::media::testing
