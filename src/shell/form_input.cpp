// Mouse, key and window events of the main form.
#include "media/image_store.h"
#include "platform/text/codepage.h"
#include "scene/layer_walk.h"
#include "scene/scene_state.h"
#include "shell/form_main.h"

namespace ox::shell {

using scene::Scene;
using scene::TOxElement;

namespace {

// A press probes nine points two pixels apart, so a press slightly beside a small clickable
// element still reaches it.
constexpr std::int32_t kProbes[9][2] = {{0, 0},  {-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                        {0, 1},  {1, -1},  {1, 0},  {1, 1}};

bool KeptUnderPressedMouse(TOxElement* under) {
  return Scene().mouseDown && under != nullptr && under->MsKeep;
}

bool PassesToRoot(TOxElement* under) { return under == nullptr || !under->NoMsOxDB; }

}  // namespace

TOxElement* TFormMain::HitAt(std::int32_t x, std::int32_t y) const {
  TOxElement* screen = CurrentScreen();
  if (screen == nullptr) return nullptr;
  return scene::HitOnLayers(*root_, *screen, x, y);
}

void TFormMain::FormMouseMove(std::int32_t x, std::int32_t y) {
  if (closed_ || Scene().loading) return;
  auto& scene = Scene();
  scene.mouseDX = x - scene.mouseX;
  scene.mouseDY = y - scene.mouseY;
  scene.mouseX = x;
  scene.mouseY = y;
  if (!timer_.Enabled()) return Repaint();  // an inactive window only repaints
  if (CurrentScreen() == nullptr) return;
  TOxElement* hit = HitAt(x, y);
  TOxElement* under = scene::Resolve(scene.underCursor);
  if (!KeptUnderPressedMouse(under) && hit != under) {
    if (under) under->MouseOut();
    scene.underCursor = hit ? hit->Ref() : 0;
    if (hit) hit->MouseIn();
  }
  if (TOxElement* now = scene::Resolve(scene.underCursor)) now->MouseMove();
  if (root_) root_->MouseMove();
}

void TFormMain::FormMouseDown(std::int32_t x, std::int32_t y) {
  if (closed_) return;
  if (logoIndex_ >= 0) {
    if (logoCount_ > 18 && logoCount_ < 83) logoCount_ = 83;  // the logo starts fading out
    return;
  }
  auto& scene = Scene();
  if (scene.loading) return;
  scene.mouseX = x;
  scene.mouseY = y;
  for (const auto& probe : kProbes) {
    FormMouseMove(x + 2 * probe[0], y + 2 * probe[1]);
    TOxElement* under = scene::Resolve(scene.underCursor);
    if (under != nullptr && !under->exMouseDown.source.empty()) break;
  }
  TOxElement* under = scene::Resolve(scene.underCursor);
  if (under) under->MouseDown();
  scene.pressed = scene.underCursor;
  scene.mouseDown = true;
  if (root_ && PassesToRoot(scene::Resolve(scene.underCursor))) root_->MouseDown();
  FormMouseMove(x, y);
}

void TFormMain::FormMouseUp(std::int32_t x, std::int32_t y) {
  auto& scene = Scene();
  if (closed_ || scene.loading) return;
  scene.mouseX = x;
  scene.mouseY = y;
  FormMouseMove(x, y);
  TOxElement* under = scene::Resolve(scene.underCursor);
  if (under != nullptr && scene.underCursor == scene.pressed) under->MouseUp();
  if (root_ && PassesToRoot(scene::Resolve(scene.underCursor))) root_->MouseUp();
  if (!KeptUnderPressedMouse(scene::Resolve(scene.underCursor))) {
    scene.mouseDown = false;
    FormMouseMove(x, y);
  }
  scene.mouseDown = false;
}

void TFormMain::FormKeyDown(std::int32_t key, bool alt, bool ctrl, bool shift) {
  if (closed_) return;
  if (key == 13 && alt && !ctrl && !shift) {
    Scene().fullScreen = !Scene().fullScreen;
    ApplyScreenMode();
  }
  root_->KeyDown(key);
}

// The character is the low 16 bits of the parameter, or the high 16 bits when the low half is
// 255. Outside unicode mode it reaches the root as one Windows-1251 byte.
void TFormMain::TypeCharacter(std::uint32_t parameter) {
  if (closed_) return;
  std::uint32_t code = parameter & 0xFFFFu;
  if (code == 0xFFu) code = parameter >> 16;
  if (root_->UnicodeMode()) return root_->KeyChar(static_cast<std::uint16_t>(code));
  const std::string ansi = platform::Cp1251FromUtf16(std::u16string(1, static_cast<char16_t>(code)));
  if (!ansi.empty()) root_->KeyChar(static_cast<unsigned char>(ansi[0]));
}

void TFormMain::WMActivate(bool active) {
  timer_.SetEnabled(active);
  if (active) timer_.Reset();
  if (audio_ == nullptr) return;
  if (active) {
    audio_->Resume();
  } else {
    audio_->Pause();
  }
}

// Applies the full-screen flag: remembers it in the settings, switches the device (the window
// goes desktop full screen or back to its centred frame) and reloads what the switch loses.
void TFormMain::ApplyScreenMode() {
  auto& scene = Scene();
  root_->WriteIniString("Def", scene.fullScreen ? "1" : "0", "FS");
  if (scene.testMode) scene.fullScreen = false;
  timer_.SetEnabled(false);
  if (graphics_ != nullptr) graphics_->Device().SetWindowed(!scene.fullScreen);
  if (media::ImageStore* images = media::Images()) images->ReloadTextures();
  if (resources_ != nullptr) resources_->ReloadFonts();
  root_->RefetchParticleTexture(true);
  for (const auto& child : root_->Children()) child->ReloadResources();
  timer_.Reset();
  timer_.SetEnabled(true);
}

}  // namespace ox::shell
