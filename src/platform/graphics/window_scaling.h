// How the fixed-size frame is shown in a window of any size: proportional (the default: as large
// as fits, keeping the aspect ratio, centred between black bars), integer (the largest whole
// multiple that fits, centred; proportional when even 1x does not fit) and stretch (the whole
// drawable). Mouse positions map back through the same rectangle.
#pragma once

namespace ox::platform {

enum class ScaleMode { Proportional, Integer, Stretch };

struct PixelSize {
  int width = 0;
  int height = 0;
};

// A rectangle in drawable pixels, origin top left.
struct PresentRect {
  int x = 0, y = 0, width = 0, height = 0;
};

PresentRect ComputePresentRect(PixelSize frame, PixelSize drawable, ScaleMode mode);

// A point of the window (in window coordinates, which differ from drawable pixels on high-DPI
// displays) as a frame pixel, clamped into the frame.
struct FramePoint {
  int x = 0;
  int y = 0;
};
FramePoint WindowToFrame(double windowX, double windowY, PixelSize window, PixelSize drawable,
                         PixelSize frame, ScaleMode mode);

}  // namespace ox::platform
