#include "platform/graphics/egl_surface.h"

#include "platform/core/log.h"

namespace ox::platform {
namespace {

EGLDisplay OpenDisplay() {
  if (epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
    const EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY) return display;
  }
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

EglSurface::~EglSurface() { DestroyGlContext(); }

bool EglSurface::CreateGlContext() {
  DestroyGlContext();
  if (!epoxy_has_egl()) {
    platform::LogLine("no EGL on this machine: off-screen drawing is not possible");
    return false;
  }
  display_ = OpenDisplay();
  EGLint major = 0, minor = 0;
  if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, &major, &minor) ||
      !eglBindAPI(EGL_OPENGL_API)) {
    platform::LogLine("EGL gives no display for off-screen drawing");
    display_ = EGL_NO_DISPLAY;
    return false;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  if (!eglChooseConfig(display_, configAttributes, &config, 1, &configs)) configs = 0;
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                      EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
  context_ = eglCreateContext(display_, configs > 0 ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                              contextAttributes);
  if (context_ == EGL_NO_CONTEXT) {
    platform::LogLine("EGL gives no OpenGL 3.3 core context");
    DestroyGlContext();
    return false;
  }
  if (!epoxy_has_egl_extension(display_, "EGL_KHR_surfaceless_context") && configs > 0) {
    const EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
    pbuffer_ = eglCreatePbufferSurface(display_, config, pbufferAttributes);
  }
  if (!eglMakeCurrent(display_, pbuffer_, pbuffer_, context_)) {
    platform::LogLine("EGL cannot make its OpenGL context current");
    DestroyGlContext();
    return false;
  }
  return true;
}

void EglSurface::DestroyGlContext() {
  if (display_ == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (pbuffer_ != EGL_NO_SURFACE) eglDestroySurface(display_, pbuffer_);
  if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
  pbuffer_ = EGL_NO_SURFACE;
  context_ = EGL_NO_CONTEXT;
  // The display is shared by every context of the process; it stays initialised.
  display_ = EGL_NO_DISPLAY;
}

}  // namespace ox::platform
