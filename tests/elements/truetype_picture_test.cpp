// The TrueType picture of a text: made once per text and face, colour-keyed, and refused with
// one line when it would pass the image store's limits.
#include "elements/truetype_picture.h"

#include <gtest/gtest.h>

#include "../render/fake_backend.h"
#include "platform/fonts/truetype.h"

namespace ox::elements {
namespace {

struct TrueTypePictures : ::testing::Test {
  render::testing::FakeBackend backend;
  TrueTypePicture picture;
};

TEST_F(TrueTypePictures, AreMadeAgainOnlyWhenTextOrFaceChange) {
  const std::uint64_t before = platform::TrueTypeLinesRendered();
  const render::TAsphyreImage* first = picture.Picture(backend, "Ab", "DejaVu Sans");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(picture.Picture(backend, "Ab", "DejaVu Sans"), first);
  EXPECT_EQ(platform::TrueTypeLinesRendered(), before + 1);
  const int width = first->PatternWidth();
  EXPECT_GT(picture.Picture(backend, "Abc", "DejaVu Sans")->PatternWidth(), width);
  picture.Picture(backend, "Abc", "DejaVu Serif");
  EXPECT_EQ(platform::TrueTypeLinesRendered(), before + 3);
  picture.Drop();
  EXPECT_EQ(picture.Last(), nullptr);
  picture.Picture(backend, "Abc", "DejaVu Serif");
  EXPECT_EQ(platform::TrueTypeLinesRendered(), before + 4) << "a dropped picture is made again";
}

TEST_F(TrueTypePictures, AreWhiteOnATransparentBackground) {
  const render::TAsphyreImage* image = picture.Picture(backend, "\x01\x16\x04", "DejaVu Sans");  // U+0416
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->PatternCount(), 1);
  EXPECT_NEAR(image->PatternHeight(), 30, 1);
  int opaque = 0, keyed = 0;
  for (int y = 0; y < image->PatternHeight(); ++y) {
    for (int x = 0; x < image->PatternWidth(); ++x) {
      const std::uint32_t texel = render::GetTexturePixel(image, x, y, 0);
      if (texel == 0xFFFFFFFFu) ++opaque;
      if (texel >> 24 == 0) {
        ++keyed;
        EXPECT_EQ(texel, 0u);
      }
    }
  }
  EXPECT_GT(opaque, 20) << "one character, decoded from its triple";
  EXPECT_GT(keyed, opaque);
}

TEST_F(TrueTypePictures, BeyondTheStoreLimitsAreNotMadeAndSaySoOnce) {
  const std::string longText(3000, 'W');
  const std::uint64_t before = platform::TrueTypeLinesRendered();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(picture.Picture(backend, longText, "DejaVu Sans"), nullptr);
  EXPECT_EQ(picture.Picture(backend, longText, "DejaVu Sans"), nullptr);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("beyond the picture size limits"), std::string::npos);
  EXPECT_EQ(platform::TrueTypeLinesRendered(), before);
  EXPECT_EQ(picture.Picture(backend, "", "DejaVu Sans"), nullptr) << "an empty text has no picture";
}

}  // namespace
}  // namespace ox::elements
