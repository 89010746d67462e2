// Loading the font list from an archive: every font record, names, texels in every stored
// format, failures, and removal.
#include <gtest/gtest.h>

#include "fake_backend.h"
#include "fonts_test_font.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/fonts.h"

namespace ox::render {
namespace {

using asdbpack::PackedRecord;
using testing::CellFont;
using testing::FontRecord;

class FontsLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fonts.SetPublisher(&device);
    fonts.SetCanvas(&canvas);
    ASSERT_TRUE(device.Initialize());
    archive.SetFileName(folder.Path());
  }

  bool Load(const std::vector<PackedRecord>& records) {
    folder.Write(records);
    return fonts.LoadFromASDb(archive);
  }

  // The texel at (x, 0) of the loaded font's texture, in device order.
  std::uint32_t Texel(const TAsphyreFont& font, int x) const {
    return SwapRedBlue(font.Image()->Pixel(x, 0, 0));
  }

  testing::FakeBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  TAsphyreFonts fonts;
  testing::ArchiveFolder folder;
  TASDb archive;
};

TEST_F(FontsLoadTest, FontRecordsBecomeFontsFoundByTheirNamesInAnyCase) {
  CellFont menu;
  menu.firstChar = ' ';
  ASSERT_TRUE(Load({FontRecord("Title.fnt", CellFont{}.Bytes()),
                    {"title.png", 0, {1, 2, 3}, 0},
                    FontRecord("menu", menu.Bytes())}));
  ASSERT_EQ(fonts.Count(), 2);
  EXPECT_EQ(fonts.Find("TITLE.FNT"), fonts.Font(0));
  EXPECT_EQ(fonts.Find("Menu"), fonts.Font(1));
  EXPECT_EQ(fonts.Find("title.png"), nullptr);
  EXPECT_EQ(fonts.Find("Font00"), nullptr);
  const TAsphyreFont& font = *fonts.Find("menu");
  EXPECT_TRUE(font.Loaded());
  EXPECT_EQ(font.Name(), "menu");
  EXPECT_EQ(font.Owner(), &fonts);
  EXPECT_EQ(font.FirstChar(), ' ');
  EXPECT_EQ(font.GlyphCount(), 3);
  EXPECT_EQ(font.Image()->PatternCount(), 3);
  EXPECT_EQ(font.Image()->PatternWidth(), 8);
  EXPECT_EQ(font.Image()->VisibleHeight(), 10);
}

TEST_F(FontsLoadTest, TexelsOfEveryStoredFormatReachTheTextureThroughTheirChannels) {
  const std::uint32_t colours[] = {0xFFFFFFFFu, 0x80FF0000u, 0x4000FF00u};
  std::vector<PackedRecord> records;
  for (int format = 0; format < kFontFormatCount; ++format) {
    CellFont font;
    font.format = format;
    font.texel = [&](int glyph, int, int) { return colours[glyph]; };
    records.push_back(FontRecord("f" + std::to_string(format), font.Bytes()));
  }
  ASSERT_TRUE(Load(records));
  ASSERT_EQ(fonts.Count(), kFontFormatCount);
  for (int format = 0; format < kFontFormatCount; ++format) {
    const TAsphyreFont& font = *fonts.Font(format);
    ASSERT_TRUE(font.Loaded()) << format;
    EXPECT_EQ(font.Image()->Format(), TextureFormat::A8R8G8B8);
    for (int glyph = 0; glyph < 3; ++glyph) {
      std::uint8_t stored[4] = {};
      std::uint32_t expected = 0;
      EncodeStoredRow(format, std::span(&colours[glyph], 1), stored);
      DecodeStoredRow(format, stored, std::span(&expected, 1));
      EXPECT_EQ(Texel(font, glyph * 8 + 3), expected) << "format " << format << " glyph " << glyph;
    }
  }
}

TEST_F(FontsLoadTest, RowsOfTheTexturesOwnPairAreCopiedUnchangedWithTheirXBitsAsAlpha) {
  CellFont x8;
  x8.format = 2;  // X8R8G8B8 into an A8R8G8B8 texture
  TFontRecord wide = x8.Record();
  wide.texels[3] = 0x40;  // the X byte of the first texel
  CellFont x4;
  x4.format = 4;  // X4R4G4B4 into A4R4G4B4 where A8R8G8B8 is missing
  TFontRecord narrow = x4.Record();
  narrow.texels[1] = 0x8F;
  CellFont a8;  // A8R8G8B8 into A4R4G4B4: converted
  a8.texel = [](int, int, int) { return 0x80FF0000u; };

  ASSERT_TRUE(Load({FontRecord("wide", EncodeFontRecord(wide))}));
  EXPECT_EQ(Texel(*fonts.Find("wide"), 0), 0x40FFFFFFu);
  EXPECT_EQ(Texel(*fonts.Find("wide"), 1), 0xFFFFFFFFu);

  fonts.RemoveAll();
  backend.unsupported = {TextureFormat::A8R8G8B8};
  ASSERT_TRUE(Load({FontRecord("narrow", EncodeFontRecord(narrow)), FontRecord("a8", a8.Bytes())}));
  EXPECT_EQ(fonts.Find("narrow")->Image()->Format(), TextureFormat::A4R4G4B4);
  EXPECT_EQ(Texel(*fonts.Find("narrow"), 0), 0x88FFFFFFu);
  EXPECT_EQ(Texel(*fonts.Find("narrow"), 1), 0xFFFFFFFFu);
  EXPECT_EQ(Texel(*fonts.Find("a8"), 0), 0x88FF0000u);
}

TEST_F(FontsLoadTest, AGlyphIsItsWholeCellWhateverVisibleSizeTheRecordGives) {
  CellFont cells;
  TFontRecord record = cells.Record();
  record.visibleWidth = -8;
  record.visibleHeight = record.patternHeight + 5;
  ASSERT_TRUE(Load({FontRecord("odd", EncodeFontRecord(record))}));
  const TAsphyreImage& glyphs = *fonts.Find("odd")->Image();
  EXPECT_EQ(glyphs.VisibleWidth(), glyphs.PatternWidth());
  EXPECT_EQ(glyphs.VisibleHeight(), glyphs.PatternHeight());
}

TEST_F(FontsLoadTest, TheFirstBadRecordEndsTheLoadingAndStaysUnderItsDefaultName) {
  std::vector<std::uint8_t> damaged = CellFont{}.Bytes();
  damaged.resize(damaged.size() - 1);
  EXPECT_FALSE(Load({FontRecord("good", CellFont{}.Bytes()), FontRecord("bad", damaged),
                     FontRecord("never", CellFont{}.Bytes())}));
  ASSERT_EQ(fonts.Count(), 2);
  EXPECT_TRUE(fonts.Find("good")->Loaded());
  EXPECT_EQ(fonts.Font(1)->Name(), "Font01");
  EXPECT_FALSE(fonts.Font(1)->Loaded());
  EXPECT_EQ(fonts.Find("font01"), fonts.Font(1));
  EXPECT_EQ(fonts.Find("never"), nullptr);
  EXPECT_EQ(fonts.Font(1)->TextWidth("A"), 0);
  EXPECT_EQ(fonts.Font(1)->TextHeight("A"), 0);
}

TEST_F(FontsLoadTest, NoArchiveOrNoDeviceLoadsNothing) {
  EXPECT_FALSE(fonts.LoadFromASDb(archive));
  EXPECT_EQ(fonts.Count(), 0);

  fonts.SetPublisher(nullptr);
  EXPECT_FALSE(Load({FontRecord("good", CellFont{}.Bytes())}));
  ASSERT_EQ(fonts.Count(), 1);
  EXPECT_FALSE(fonts.Font(0)->Loaded());
}

TEST_F(FontsLoadTest, RemoveAllAndTheDeviceFinalisingFreeEveryFontAndItsTextures) {
  ASSERT_TRUE(Load({FontRecord("a", CellFont{}.Bytes()), FontRecord("b", CellFont{}.Bytes())}));
  EXPECT_EQ(backend.textures.size(), 2u);
  fonts.RemoveAll();
  EXPECT_EQ(fonts.Count(), 0);
  EXPECT_EQ(fonts.Find("a"), nullptr);
  EXPECT_TRUE(backend.textures.empty());

  ASSERT_TRUE(fonts.LoadFromASDb(archive));
  EXPECT_EQ(fonts.Count(), 2);
  device.Finalize();
  EXPECT_EQ(fonts.Count(), 0);
  EXPECT_TRUE(backend.textures.empty());
}

}  // namespace
}  // namespace ox::render
