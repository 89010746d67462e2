// The key table, and a smoke test of the window with the OpenGL back end, which needs a
// display (CTest runs it under xvfb-run where that exists).
#include <gtest/gtest.h>

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <cstdlib>

#include "platform/graphics/gl_backend.h"
#include "platform/window/sdl_keys.h"
#include "platform/window/window.h"
#include "render/canvas.h"

namespace ox::platform {
namespace {

TEST(SdlKeysTest, KeysMapToVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_RETURN, SDLK_RETURN), 0x0D);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 0x0D);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_A, SDLK_a), 0x41);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_Z, SDLK_z), 0x5A);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_0, SDLK_0), 0x30);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_9, SDLK_9), 0x39);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_F12, SDLK_F12), 0x7B);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_KP_7, SDLK_KP_7), 0x67);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_LEFT, SDLK_LEFT), 0x25);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), 0x10);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_SLASH, SDLK_SLASH), 0xBF);
  // A Cyrillic layout keeps the Latin virtual key of the position; AZERTY follows the symbol.
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_Q, 0x0439), 0x51);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_Q, SDLK_a), 0x41);
  EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), 0);
}

TEST(WindowSmokeTest, TheWindowShowsAFrameAndGoesFullScreenAndBack) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    GTEST_SKIP() << "no display; run under xvfb-run for the window smoke test";
  }
  WindowSettings settings;
  settings.title = "oxplayer \xD1\x82\xD0\xB5\xD1\x81\xD1\x82";  // UTF-8 title
  std::unique_ptr<Window> window = OpenWindow(settings);
  ASSERT_NE(window, nullptr);
  platform::GlBackend backend(*window);
  render::TAsphyreDevice device(backend);
  render::TAsphyreCanvas canvas;
  device.SetWidth(1024);
  device.SetHeight(768);
  canvas.SetPublisher(&device);
  ASSERT_TRUE(device.Initialize());
  device.OnRender = [&](render::TAsphyreDevice&) { canvas.FillRect(0, 0, 10, 10, 0xFF00FF00, render::kFxCopy); };
  ASSERT_TRUE(device.Render(0, true));
  EXPECT_TRUE(device.Flip());
  std::vector<std::uint32_t> frame;
  int width = 0, height = 0;
  ASSERT_TRUE(backend.ReadFrame(frame, width, height));
  EXPECT_EQ(frame[5 * 1024 + 5], 0xFF00FF00u);

  device.SetWindowed(false);
  EXPECT_TRUE(window->FullScreen());
  ASSERT_TRUE(device.Render(0, true));
  EXPECT_TRUE(device.Flip());
  device.SetWindowed(true);
  EXPECT_FALSE(window->FullScreen());
  const PixelSize drawable = window->DrawableSize();
  EXPECT_GE(drawable.width, 1024);
  window->CentreCursor();
  WindowEvent event;
  while (window->PollEvent(event)) {
  }
}

}  // namespace
}  // namespace ox::platform
