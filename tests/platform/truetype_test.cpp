// Lines set in a TrueType face (the DejaVu family that the project's set-up installs): the cell
// height, advances, coverage, the best match for a family that is not installed, and refusals.
#include "platform/fonts/truetype.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

constexpr std::string_view kFace = "DejaVu Sans";

double CoveredShare(const TextCoverage& c) {
  const auto covered = std::count_if(c.pixels.begin(), c.pixels.end(), [](std::uint8_t p) { return p > 127; });
  return static_cast<double>(covered) / static_cast<double>(c.pixels.size());
}

TEST(TrueTypeLine, IsAsTallAsItsCellAndAsWideAsItsAdvances) {
  const auto one = MeasureTrueTypeLine(kFace, u"W", 30);
  const auto three = MeasureTrueTypeLine(kFace, u"WWW", 30);
  ASSERT_TRUE(one && three);
  EXPECT_NEAR(one->height, 30, 1);
  EXPECT_GT(one->width, 15);
  EXPECT_EQ(three->width, 3 * one->width);
  EXPECT_EQ(MeasureTrueTypeLine(kFace, u"", 30)->width, 0);
  const auto big = MeasureTrueTypeLine(kFace, u"W", 60);
  EXPECT_NEAR(big->width, 2 * one->width, 2);
}

TEST(TrueTypeLine, DrawsGreyCoverageOnBlackInItsExtent) {
  const std::uint64_t before = TrueTypeLinesRendered();
  const auto line = RenderTrueTypeLine(kFace, u"Hello, \u0416!", 30, 16384);
  ASSERT_TRUE(line);
  EXPECT_EQ(TrueTypeLinesRendered(), before + 1);
  const auto extent = MeasureTrueTypeLine(kFace, u"Hello, \u0416!", 30);
  EXPECT_EQ(line->width, extent->width);
  EXPECT_EQ(line->height, extent->height);
  ASSERT_EQ(line->pixels.size(), static_cast<std::size_t>(line->width * line->height));
  EXPECT_GT(CoveredShare(*line), 0.08);
  EXPECT_LT(CoveredShare(*line), 0.5);
  EXPECT_EQ(line->pixels.front(), 0) << "the corner is background";
  EXPECT_EQ(*std::max_element(line->pixels.begin(), line->pixels.end()), 255);
  // The stem of the H fills its column over the height of a capital.
  int stemRows = 0;
  for (int y = 0; y < line->height; ++y) {
    for (int x = 0; x < 6; ++x) stemRows += line->pixels[static_cast<std::size_t>(y * line->width + x)] == 255;
  }
  EXPECT_GT(stemRows, 15);
}

TEST(TrueTypeLine, AFamilyThatIsNotInstalledGetsTheBestMatch) {
  const auto line = RenderTrueTypeLine("No Such Family Anywhere", u"abc", 30, 16384);
  ASSERT_TRUE(line);
  EXPECT_GT(CoveredShare(*line), 0.05);
}

TEST(TrueTypeLine, ALineWiderThanAllowedIsNotDrawn) {
  const std::uint64_t before = TrueTypeLinesRendered();
  EXPECT_FALSE(RenderTrueTypeLine(kFace, u"WWWW", 30, 40));
  EXPECT_EQ(TrueTypeLinesRendered(), before);
}

TEST(TrueTypeLine, OnlyFontFilesRegister) {
  test_support::TempFolder folder;
  const auto bogus = folder.path() / "unicode.ttf";
  test_support::WriteFile(bogus, "not a font");
  EXPECT_FALSE(RegisterFontFile(bogus));
  EXPECT_FALSE(RegisterFontFile(folder.path() / "missing.ttf"));
  const auto line = RenderTrueTypeLine(kFace, u"W", 30, 16384);
  ASSERT_TRUE(line) << "faces are still found";
}

}  // namespace
}  // namespace ox::platform
