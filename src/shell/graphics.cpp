#include "shell/graphics.h"

#include "platform/graphics/egl_surface.h"
#include "render/screenshot.h"

namespace ox::shell {

Graphics::Graphics(std::unique_ptr<platform::WindowSurface> surface, platform::Window* window)
    : surface_(std::move(surface)),
      window_(window),
      backend_(std::make_unique<platform::GlBackend>(*surface_)),
      device_(std::make_unique<render::TAsphyreDevice>(*backend_)),
      canvas_(std::make_unique<render::TAsphyreCanvas>()) {
  device_->SetWidth(1024);
  device_->SetHeight(768);
  device_->SetWindowed(true);
  device_->SetVSync(false);
  device_->SetDepthBuffer(false);
  canvas_->SetAlphaTesting(true);
  canvas_->SetVertexCache(4096);
  canvas_->SetAntialias(false);
  canvas_->SetDithering(false);
  canvas_->SetPublisher(device_.get());
}

Graphics::~Graphics() = default;

std::unique_ptr<Graphics> Graphics::Headless() {
  return std::unique_ptr<Graphics>(new Graphics(std::make_unique<platform::EglSurface>(), nullptr));
}

std::unique_ptr<Graphics> Graphics::Windowed(const platform::WindowSettings& settings) {
  std::unique_ptr<platform::Window> window = platform::OpenWindow(settings);
  if (!window) return nullptr;
  platform::Window* view = window.get();
  return std::unique_ptr<Graphics>(new Graphics(std::move(window), view));
}

bool Graphics::Screenshot(const std::string& path) { return render::WriteScreenshot(*backend_, path); }

bool Graphics::Initialize(std::function<void()> onRender) {
  device_->OnRender = [onRender = std::move(onRender)](render::TAsphyreDevice&) { onRender(); };
  return device_->Initialize();
}

}  // namespace ox::shell
