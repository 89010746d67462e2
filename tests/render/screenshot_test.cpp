#include "render/screenshot.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "gl_fixture.h"

namespace ox::render {
namespace {

// Reads an 8-bit RGB PNG into device-order pixels.
std::vector<std::uint32_t> ReadPng(const std::string& path, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return pixels;
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

TEST(ScreenshotTest, PngKeepsEveryPixelAndRefusesMismatchedSizes) {
  const std::vector<std::uint32_t> pixels = {0xFF102030, 0xFFFFFFFF, 0x00000000, 0xFF808080,
                                             0xFF0000FF, 0xFFFF0000};
  const std::string path = TempPath("ox_screenshot_test.png");
  ASSERT_TRUE(WritePng(path, pixels, 3, 2));
  int w = 0, h = 0;
  const std::vector<std::uint32_t> back = ReadPng(path, w, h);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  ASSERT_EQ(back.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(back[i], pixels[i] | 0xFF000000u) << i;
  EXPECT_FALSE(WritePng(path, pixels, 4, 2));
  EXPECT_FALSE(WritePng(path + "/below a file.png", pixels, 3, 2));
  std::remove(path.c_str());
}

using FrameScreenshotTest = testing::GlCanvasTest;

TEST_F(FrameScreenshotTest, TheFrameReadBackIsWrittenTopRowFirst) {
  Render([&] { canvas.FillRect(0, 0, 1024, 1, 0xFF0000FF, kFxCopy); });
  const std::string path = TempPath("ox_frame_screenshot_test.png");
  ASSERT_TRUE(WriteScreenshot(backend, path));
  int w = 0, h = 0;
  const std::vector<std::uint32_t> back = ReadPng(path, w, h);
  ASSERT_EQ(w, 1024);
  ASSERT_EQ(h, 768);
  EXPECT_EQ(back[5], 0xFFFF0000u);     // red top row
  EXPECT_EQ(back[1024 * 767], 0xFF000000u);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace ox::render
