#include "shell/headless_loop.h"

#include <algorithm>
#include <exception>

#include "platform/core/log.h"

namespace ox::shell {

void DeliverEvent(TFormMain& form, const InputEvent& e) {
  using K = InputEvent::Kind;
  switch (e.kind) {
    case K::Move: form.FormMouseMove(e.x, e.y); break;
    case K::Down: form.FormMouseDown(e.x, e.y); break;
    case K::Up: form.FormMouseUp(e.x, e.y); break;
    case K::Key: form.FormKeyDown(e.code, e.alt, e.ctrl, e.shift); break;
    case K::Char: form.TypeCharacter(static_cast<std::uint32_t>(e.code)); break;
    case K::Deactivate: form.WMActivate(false); break;
    case K::Activate: form.WMActivate(true); break;
    case K::Close: form.FormClose(); break;
  }
}

namespace {

// A failed check inside a frame (a position outside 32 bits, say) ends that frame or event
// with one log line; the game goes on.
template <class F>
void Guarded(F&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    platform::LogLine(std::string("frame error: ") + e.what());
  }
}

}  // namespace

void RunHeadless(TFormMain& form, render::VirtualClock& clock, std::vector<InputEvent> events,
                 std::optional<std::int64_t> ticks, AudioSystem& audio) {
  if (ticks == 0) return;
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.tick < b.tick; });
  Guarded([&] { form.Timer().Idle(); });  // the first frame draws and counts no tick yet
  std::size_t next = 0;
  for (std::int64_t tick = 1; !form.Closed() && (!ticks || tick <= *ticks); ++tick) {
    for (; next < events.size() && events[next].tick <= tick && !form.Closed(); ++next)
      Guarded([&] { DeliverEvent(form, events[next]); });
    if (form.Closed()) break;
    clock.Advance(form.Timer().TickNanoseconds());
    Guarded([&] { form.Timer().Idle(); });
    audio.Tick();
  }
}

}  // namespace ox::shell
