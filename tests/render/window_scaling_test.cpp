#include "platform/graphics/window_scaling.h"

#include <gtest/gtest.h>

namespace ox::platform {
namespace {

constexpr PixelSize kFrame{1024, 768};

TEST(WindowScalingTest, ProportionalLetterboxesIntegerKeepsWholeMultiplesStretchFills) {
  PresentRect r = ComputePresentRect(kFrame, {1920, 1080}, ScaleMode::Proportional);
  EXPECT_EQ(r.width, 1440);
  EXPECT_EQ(r.height, 1080);
  EXPECT_EQ(r.x, 240);
  EXPECT_EQ(r.y, 0);
  r = ComputePresentRect(kFrame, {1024, 1000}, ScaleMode::Proportional);
  EXPECT_EQ(r.width, 1024);
  EXPECT_EQ(r.y, 116);
  r = ComputePresentRect(kFrame, {2560, 1600}, ScaleMode::Integer);
  EXPECT_EQ(r.width, 2048);
  EXPECT_EQ(r.height, 1536);
  EXPECT_EQ(r.x, 256);
  EXPECT_EQ(r.y, 32);
  r = ComputePresentRect(kFrame, {800, 600}, ScaleMode::Integer);  // below 1x: proportional
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 600);
  r = ComputePresentRect(kFrame, {1920, 1080}, ScaleMode::Stretch);
  EXPECT_EQ(r.width, 1920);
  EXPECT_EQ(r.x, 0);
  r = ComputePresentRect(kFrame, {0, 0}, ScaleMode::Proportional);
  EXPECT_EQ(r.width, 0);
}

TEST(WindowScalingTest, MousePositionsMapBackToFramePixelsAcrossHighDpi) {
  // A 960x540 window whose drawable is twice as large: the frame occupies 1440x1080 pixels
  // from x = 240 of the drawable, that is from x = 120 of the window.
  const PixelSize window{960, 540}, drawable{1920, 1080};
  FramePoint p = WindowToFrame(120, 0, window, drawable, kFrame, ScaleMode::Proportional);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = WindowToFrame(480, 270, window, drawable, kFrame, ScaleMode::Proportional);
  EXPECT_EQ(p.x, 512);
  EXPECT_EQ(p.y, 384);
  p = WindowToFrame(10, 600, window, drawable, kFrame, ScaleMode::Proportional);  // in the bar
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 767);
  p = WindowToFrame(1023.9, 767.9, kFrame, kFrame, kFrame, ScaleMode::Integer);
  EXPECT_EQ(p.x, 1023);
  EXPECT_EQ(p.y, 767);
}

}  // namespace
}  // namespace ox::platform
