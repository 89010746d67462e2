// A surface that shows nothing: an OpenGL 3.3 core context made through EGL without any window
// system (surfaceless, or on a tiny pbuffer where surfaceless is missing), so that headless runs
// and screenshots draw with no display and, on Mesa, no GPU. Creating the context fails cleanly
// when the machine has no EGL.
#pragma once

#include <epoxy/egl.h>

#include "platform/graphics/window_surface.h"

namespace ox::platform {

class EglSurface final : public platform::WindowSurface {
 public:
  EglSurface() = default;
  ~EglSurface() override;
  EglSurface(const EglSurface&) = delete;
  EglSurface& operator=(const EglSurface&) = delete;

  bool CreateGlContext() override;
  void DestroyGlContext() override;
  bool Shows() const override { return false; }
  void SwapBuffers() override {}
  platform::PixelSize DrawableSize() const override { return {}; }
  platform::ScaleMode Scaling() const override { return platform::ScaleMode::Proportional; }
  void SetPresentation(bool, bool) override {}

 private:
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLContext context_ = EGL_NO_CONTEXT;
  EGLSurface pbuffer_ = EGL_NO_SURFACE;
};

}  // namespace ox::platform
