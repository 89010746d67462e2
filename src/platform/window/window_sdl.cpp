// The window on SDL2 with an OpenGL 3.3 core context.
#include <SDL.h>

#include <deque>
#include <string>

#include "platform/core/log.h"
#include "platform/text/codepage.h"
#include "platform/window/sdl_keys.h"
#include "platform/window/window.h"

namespace ox::platform {
namespace {

class SdlWindow final : public Window {
 public:
  explicit SdlWindow(const WindowSettings& settings)
      : frame_{settings.width, settings.height}, scaling_(settings.scaling) {}
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool Open(const WindowSettings& settings);

  bool CreateGlContext() override;
  void DestroyGlContext() override;
  bool Shows() const override { return true; }
  void SwapBuffers() override { SDL_GL_SwapWindow(window_); }
  PixelSize DrawableSize() const override;
  ScaleMode Scaling() const override { return scaling_; }
  void SetPresentation(bool windowed, bool vsync) override;

  void SetTitle(const std::string& utf8) override { SDL_SetWindowTitle(window_, utf8.c_str()); }
  bool PollEvent(WindowEvent& event) override;
  void SetScaling(ScaleMode mode) override { scaling_ = mode; }
  bool FullScreen() const override;
  void CentreCursor() override;

 private:
  void Translate(const SDL_Event& event);
  void AddMouse(WindowEvent::Kind kind, int x, int y, std::uint8_t button);
  void AddKey(const SDL_KeyboardEvent& key);
  void AddText(const char* utf8);

  PixelSize frame_;
  ScaleMode scaling_;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  bool videoStarted_ = false;
  std::deque<WindowEvent> pending_;
};

SdlWindow::~SdlWindow() {
  DestroyGlContext();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Open(const WindowSettings& settings) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    LogLine(std::string("no display for the window: ") + SDL_GetError());
    return false;
  }
  videoStarted_ = true;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                       (settings.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = SDL_CreateWindow(settings.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             settings.width, settings.height, flags);
  if (window_ == nullptr) {
    LogLine(std::string("the window cannot be opened: ") + SDL_GetError());
    return false;
  }
  SDL_StartTextInput();
  return true;
}

bool SdlWindow::CreateGlContext() {
  DestroyGlContext();
  context_ = SDL_GL_CreateContext(window_);
  if (context_ == nullptr) {
    LogLine(std::string("no OpenGL 3.3 core context for the window: ") + SDL_GetError());
    return false;
  }
  return SDL_GL_MakeCurrent(window_, context_) == 0;
}

void SdlWindow::DestroyGlContext() {
  if (context_ != nullptr) SDL_GL_DeleteContext(context_);
  context_ = nullptr;
}

PixelSize SdlWindow::DrawableSize() const {
  PixelSize size;
  SDL_GL_GetDrawableSize(window_, &size.width, &size.height);
  return size;
}

void SdlWindow::SetPresentation(bool windowed, bool vsync) {
  if (windowed == FullScreen()) {
    SDL_SetWindowFullscreen(window_, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (windowed) {
      SDL_SetWindowSize(window_, frame_.width, frame_.height);
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  // Adaptive sync where asked for and offered, else plain.
  if (context_ != nullptr && (!vsync || SDL_GL_SetSwapInterval(-1) != 0)) {
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
  }
}

bool SdlWindow::FullScreen() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlWindow::CentreCursor() {
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  SDL_WarpMouseInWindow(window_, width / 2, height / 2);
}

bool SdlWindow::PollEvent(WindowEvent& event) {
  SDL_Event sdl;
  while (pending_.empty() && SDL_PollEvent(&sdl) != 0) Translate(sdl);
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlWindow::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      AddMouse(WindowEvent::Kind::Move, event.motion.x, event.motion.y, 0);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      AddMouse(event.type == SDL_MOUSEBUTTONDOWN ? WindowEvent::Kind::Down : WindowEvent::Kind::Up,
               event.button.x, event.button.y, event.button.button);
      break;
    case SDL_KEYDOWN: AddKey(event.key); break;
    case SDL_TEXTINPUT: AddText(event.text.text); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) pending_.push_back({WindowEvent::Kind::Activate});
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) pending_.push_back({WindowEvent::Kind::Deactivate});
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) pending_.push_back({WindowEvent::Kind::Paint});
      break;
    case SDL_QUIT: pending_.push_back({WindowEvent::Kind::Close}); break;
    default: break;
  }
}

void SdlWindow::AddMouse(WindowEvent::Kind kind, int x, int y, std::uint8_t button) {
  if (kind != WindowEvent::Kind::Move && button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT &&
      button != SDL_BUTTON_MIDDLE) {
    return;
  }
  PixelSize window;
  SDL_GetWindowSize(window_, &window.width, &window.height);
  const FramePoint point = WindowToFrame(x, y, window, DrawableSize(), frame_, scaling_);
  WindowEvent event{kind, point.x, point.y};
  event.button = button == SDL_BUTTON_RIGHT    ? MouseButton::Right
                 : button == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                               : MouseButton::Left;
  pending_.push_back(event);
}

void SdlWindow::AddKey(const SDL_KeyboardEvent& key) {
  const std::int32_t code = VirtualKeyOf(key.keysym.scancode, key.keysym.sym);
  if (code == 0) return;
  WindowEvent event{WindowEvent::Kind::Key};
  event.code = code;
  event.alt = (key.keysym.mod & KMOD_ALT) != 0;
  event.ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
  event.shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  pending_.push_back(event);
  // These keys type a control character, which text input does not report.
  const bool typesControl = code == 0x08 || code == 0x09 || code == 0x0D || code == 0x1B;
  if (typesControl && !event.alt && !event.ctrl) {
    WindowEvent typed{WindowEvent::Kind::Char};
    typed.code = code;
    pending_.push_back(typed);
  }
}

void SdlWindow::AddText(const char* utf8) {
  for (const char16_t unit : Utf16FromUtf8(utf8)) {
    WindowEvent event{WindowEvent::Kind::Char};
    event.code = unit;
    pending_.push_back(event);
  }
}

}  // namespace

std::unique_ptr<Window> OpenWindow(const WindowSettings& settings) {
  auto window = std::make_unique<SdlWindow>(settings);
  if (!window->Open(settings)) return nullptr;
  return window;
}

void ShowErrorBox(const std::string& title, const std::string& text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) != 0) {
    LogLine(title + ": " + text);
  }
}

}  // namespace ox::platform
