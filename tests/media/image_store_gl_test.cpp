// Pictures through the real OpenGL back end on an off-screen context; skipped where the machine
// gives no EGL context.
#include "image_store_test_host.h"
#include "render/device.h"
#include "platform/graphics/egl_surface.h"
#include "platform/graphics/gl_backend.h"

namespace ox::media::testing {
namespace {

class GlImageStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.SetWidth(1024);
    device.SetHeight(768);
    if (!device.Initialize())
      GTEST_SKIP() << "no OpenGL 3.3 core context through EGL on this machine";
  }

  platform::EglSurface surface;
  platform::GlBackend backend{surface};
  render::TAsphyreDevice device{backend};
  TestHost host;
  ImageStore store{backend, host};
};

TEST_F(GlImageStoreTest, TexelsReadBackInTheEngineChannelOrder) {
  host.PutGame("rgba.png", "rgba.png");
  host.PutGame("grid.png", "grid.png");
  host.PutGameText("grid.an", "4\n2");
  render::TAsphyreImage* rgba = store.GetImage(store.RequestImage("rgba.png", false));
  render::TAsphyreImage* grid = store.GetImage(store.RequestImage("grid.png", false));
  ASSERT_NE(rgba, nullptr);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(rgba->Format(), render::TextureFormat::A8R8G8B8);
  EXPECT_EQ(GetTexturePixel(*rgba, 0, 0, 0), 0x44332211u);
  EXPECT_EQ(GetTexturePixel(*grid, 5, 5, 3), 0xFF00FFFFu) << "pattern 3 is yellow";
  EXPECT_EQ(GetTexturePixel(*grid, 64, 0, 0), 0xFF0000FFu)
      << "the border repeats the pattern's edge";
  EXPECT_EQ(GetTexturePixel(*grid, 0, 0, 8), 0u) << "no such texture";
}

}  // namespace
}  // namespace ox::media::testing
