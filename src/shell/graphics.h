// The drawing side of the player: a surface (off screen for headless runs, or the window), the
// OpenGL back end on it, the device and the canvas. The frame is 1024 x 768.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/gl_backend.h"
#include "platform/window/window.h"
#include "render/canvas.h"
#include "render/device.h"

namespace ox::shell {

class Graphics {
 public:
  // Drawing without a display; always constructible, Initialize tells whether it works.
  static std::unique_ptr<Graphics> Headless();
  // Drawing into a window; null when no window can be opened.
  static std::unique_ptr<Graphics> Windowed(const platform::WindowSettings& settings);
  ~Graphics();

  // Starts the device, with `onRender` drawing each frame; false when graphics cannot start.
  bool Initialize(std::function<void()> onRender);
  render::TAsphyreDevice& Device() { return *device_; }
  render::TAsphyreCanvas& Canvas() { return *canvas_; }
  platform::Window* Window() { return window_; }
  // Writes the last frame drawn as a PNG picture.
  bool Screenshot(const std::string& path);

 private:
  explicit Graphics(std::unique_ptr<platform::WindowSurface> surface, platform::Window* window);

  // Members in the order of creation; they are destroyed the other way round.
  std::unique_ptr<platform::WindowSurface> surface_;
  platform::Window* window_;
  std::unique_ptr<platform::GlBackend> backend_;
  std::unique_ptr<render::TAsphyreDevice> device_;
  std::unique_ptr<render::TAsphyreCanvas> canvas_;
};

}  // namespace ox::shell
