#include "shell/window_loop.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/core/log.h"
#include "shell/headless_loop.h"

namespace ox::shell {

namespace {

// The window's events but Paint, as the events file has them.
InputEvent AsInputEvent(const platform::WindowEvent& w) {
  using K = platform::WindowEvent::Kind;
  using I = InputEvent::Kind;
  InputEvent e;
  e.x = w.x;
  e.y = w.y;
  e.code = w.code;
  e.alt = w.alt;
  e.ctrl = w.ctrl;
  e.shift = w.shift;
  switch (w.kind) {
    case K::Move: e.kind = I::Move; break;
    case K::Down: e.kind = I::Down; break;
    case K::Up: e.kind = I::Up; break;
    case K::Key: e.kind = I::Key; break;
    case K::Char: e.kind = I::Char; break;
    case K::Deactivate: e.kind = I::Deactivate; break;
    case K::Activate: e.kind = I::Activate; break;
    case K::Close: e.kind = I::Close; break;
    case K::Paint: break;
  }
  return e;
}

// F12 keeps the frame as a numbered PNG in the per-user folder (the game still gets the key).
void TakeScreenshot(TFormMain& form, Graphics& graphics) {
  const std::filesystem::path folder = form.Root().UserFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (int n = 1; n < 10000; ++n) {
    const auto file = folder / ("screenshot-" + std::to_string(n) + ".png");
    if (std::filesystem::exists(file, ec)) continue;
    platform::LogLine((graphics.Screenshot(file.string()) ? "screenshot " : "cannot write the screenshot ") + file.string());
    return;
  }
}

constexpr std::int32_t kScreenshotKey = 0x7B;  // F12
constexpr std::int32_t kF4Key = 0x73;

// The window's events while a long script runs: the long-run guard gathers them, so the close
// button and Alt+F4 stop the script at once; the rest wait, in order, for the frame loop.
class HeldEvents {
 public:
  // True once a close was asked for.
  bool Gather(platform::Window& window) {
    for (platform::WindowEvent event; window.PollEvent(event);) {
      events_.push_back(event);
      if (event.kind == platform::WindowEvent::Kind::Key && event.code == kF4Key && event.alt) {
        events_.push_back({platform::WindowEvent::Kind::Close});
        closing_ = true;
      }
      if (event.kind == platform::WindowEvent::Kind::Close) closing_ = true;
    }
    return closing_;
  }
  bool Next(platform::Window& window, platform::WindowEvent& event) {
    if (events_.empty()) return window.PollEvent(event);
    event = events_.front();
    events_.pop_front();
    return true;
  }

 private:
  std::deque<platform::WindowEvent> events_;
  bool closing_ = false;
};

}  // namespace

void RunWindowed(TFormMain& form, Graphics& graphics, std::vector<InputEvent> scripted,
                 std::optional<std::int64_t> ticks) {
  platform::Window& window = *graphics.Window();
  std::stable_sort(scripted.begin(), scripted.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.tick < b.tick; });
  std::size_t next = 0;
  HeldEvents held;
  form.Pool().SetRunLimit(scene::InterpreterPool::kWindowedLimit);
  form.Pool().SetCloseRequested([&held, &window] { return held.Gather(window); });
  window.CentreCursor();
  while (!form.Closed() && (!ticks || form.TicksRun() < *ticks)) {
    try {
      for (; next < scripted.size() && scripted[next].tick <= form.TicksRun() + 1 && !form.Closed(); ++next)
        DeliverEvent(form, scripted[next]);
      for (platform::WindowEvent event; !form.Closed() && held.Next(window, event);) {
        if (event.kind == platform::WindowEvent::Kind::Paint) {
          form.FormPaint();
        } else {
          if (event.kind == platform::WindowEvent::Kind::Key && event.code == kScreenshotKey)
            TakeScreenshot(form, graphics);
          DeliverEvent(form, AsInputEvent(event));
        }
      }
      if (!form.Closed()) form.Timer().Idle();
    } catch (const std::exception& e) {
      platform::LogLine(std::string("frame error: ") + e.what());
    }
  }
  form.Pool().SetCloseRequested(nullptr);
}

}  // namespace ox::shell
