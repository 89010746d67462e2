// A place an OpenGL 3.3 core context draws to: a window for play, or nothing visible for
// headless runs. The OpenGL back end of the renderer asks its surface for a context, draws the
// frame off screen and, where the surface shows one, presents it scaled into the drawable.
#pragma once

#include "platform/graphics/window_scaling.h"

namespace ox::platform {

class WindowSurface {
 public:
  virtual ~WindowSurface() = default;

  // Creates an OpenGL 3.3 core context and makes it current; false when that is impossible.
  virtual bool CreateGlContext() = 0;
  virtual void DestroyGlContext() = 0;
  // True when presenting shows the default framebuffer somewhere (a window).
  virtual bool Shows() const = 0;
  virtual void SwapBuffers() = 0;
  virtual PixelSize DrawableSize() const = 0;
  virtual ScaleMode Scaling() const = 0;
  // Windowed or desktop full screen, with or without waiting for the vertical retrace.
  virtual void SetPresentation(bool windowed, bool vsync) = 0;
};

}  // namespace ox::platform
