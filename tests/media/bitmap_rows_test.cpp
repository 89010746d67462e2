// The bitmap's layout.
#include <gtest/gtest.h>

#include <string>

#include "media/bitmap.h"
#include "render/asphyre_image.h"

namespace ox::media {
namespace {

TEST(BitmapRows, ABitmapIsLaidOutAsTheTextureOfItsOnePattern) {
  Bitmap bitmap;
  std::string failure;
  ASSERT_TRUE(AllocateBitmap(bitmap, 1024, 767, failure));
  EXPECT_EQ(bitmap.pitch, render::TextureSide(1024));
  EXPECT_EQ(bitmap.pitch, 1026);
  EXPECT_EQ(bitmap.pixels.size(), std::size_t{1026} * 770);
  EXPECT_EQ(bitmap.PixelCount(), std::size_t{1024} * 767);
  EXPECT_EQ(bitmap.Row(2) - bitmap.Row(1), 1026);
  EXPECT_FALSE(AllocateBitmap(bitmap, 16385, 1, failure));
  EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
}  // namespace ox::media
