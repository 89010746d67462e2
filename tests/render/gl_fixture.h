// Pixel tests through the real OpenGL back end on an off-screen EGL context. Where the machine
// gives no EGL context the tests are skipped with a message.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/graphics/egl_surface.h"
#include "platform/graphics/gl_backend.h"
#include "render/canvas.h"
#include "render/device.h"

namespace ox::render::testing {

// Device-order 8-bit channels of a read-back pixel.
struct Rgb {
  int r, g, b;
};

class GlCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    if (!device.Initialize()) {
      GTEST_SKIP() << "no OpenGL 3.3 core context through EGL on this machine; pixel tests skipped";
    }
  }

  // Draws what `draw` adds to the canvas in one scene on a black frame and reads it back.
  template <typename Draw>
  void Render(Draw draw) {
    device.OnRender = [&](TAsphyreDevice&) { draw(); };
    ASSERT_TRUE(device.Render(0, true));
    ASSERT_TRUE(backend.ReadFrame(frame, width, height));
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
  }

  Rgb At(int x, int y) const {
    const std::uint32_t p = frame[static_cast<std::size_t>(y) * 1024 + static_cast<std::size_t>(x)];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
  }

  // A picture of one pattern per texture from device-order pixels, cut into columns x rows.
  std::unique_ptr<TAsphyreImage> Picture(const std::vector<std::uint32_t>& pixels, int w, int h,
                                         int columns = 1, int rows = 1) {
    auto image = std::make_unique<TAsphyreImage>(backend);
    EXPECT_TRUE(image->LoadFromBitmap(pixels, w, h, columns, rows));
    return image;
  }

  std::unique_ptr<TAsphyreImage> Solid(std::uint32_t argb, int w = 8, int h = 8) {
    return Picture(std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), argb), w, h);
  }

  platform::EglSurface surface;
  platform::GlBackend backend{surface};
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  std::vector<std::uint32_t> frame;
  int width = 0, height = 0;
};

// Channels equal within a tolerance, for filtering and blending that round.
inline ::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 2) {
  if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got (" << actual.r << ", " << actual.g << ", " << actual.b
                                       << "), expected (" << expected.r << ", " << expected.g << ", "
                                       << expected.b << ")";
}

}  // namespace ox::render::testing
