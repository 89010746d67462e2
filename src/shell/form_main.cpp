#include "shell/form_main.h"

#include <algorithm>
#include <optional>

#include "elements/drawing.h"
#include "elements/star_drawing.h"
#include "media/image_store.h"
#include "platform/text/codepage.h"
#include "scene/layer_walk.h"
#include "scene/picture_loading.h"
#include "scene/scene_state.h"
#include "scriptlib/engine_functions.h"
#include "scriptlib/text_functions.h"

namespace ox::shell {

using scene::Scene;
using scene::TOxElement;

TFormMain::TFormMain(render::Clock& clock, bool testMode, bool logErrors)
    : timer_(clock),
      pool_(std::make_unique<scene::InterpreterPool>(scriptlib::RegisterAllFunctions)),
      root_(std::make_unique<scene::TOxDB>()) {
  timer_.SetSpeed(30.0);
  timer_.SetMaxFPS(30);
  timer_.OnTimer = [this] { RunFrame(); };
  timer_.OnProcess = [this] { TimerProcess(); };
  Scene() = scene::SceneState{};
  Scene().testMode = testMode;
  Scene().ticksPerSecond = timer_.Speed();
  Scene().root = root_.get();
  pool_->SetRoot(root_.get());
  pool_->SetLogErrors(logErrors);
  root_->Services().resetTimer = [this] { timer_.Reset(); };
}

// The rest of the close: the tree and the interpreters are freed with the form. A run that
// stops at its tick limit ends here without the exit event: the game was not closed.
TFormMain::~TFormMain() {
  timer_.SetEnabled(false);
  Scene().currentScreen = 0;
  pool_->SetRoot(nullptr);
  Scene().root = nullptr;
  root_.reset();
  pool_.reset();
  Scene().underCursor = 0;
}

void TFormMain::StartGame(const std::string& gameFile) {
  scene::Pictures().SetLoadNow(false);
  if (!gameFile.empty()) root_->LoadGame(gameFile);
  // The settings read while loading choose the screen mode at once.
  if (graphics_ != nullptr) graphics_->Device().SetWindowed(!Scene().fullScreen);
  if (audio_ != nullptr) {
    media::ArchiveRecordReader archive;
    if (resources_ != nullptr) archive = [this](const std::string& name) { return resources_->ReadRecord(name); };
    audio_->Connect(*root_, std::move(archive), [this] { timer_.Reset(); });
  }
  scriptlib::SetUnicodeMode(root_->UnicodeMode());
  title_ = root_->GetText("Title");
  if (title_.empty()) title_ = root_->Id;
  scene::Pictures().SetLoadNow(true);
  TOxElement* screen = root_->FindByKey(root_->InitScreen);
  Scene().currentScreen = screen ? screen->Ref() : 0;
  timer_.Reset();
  timer_.SetEnabled(true);
}

void TFormMain::FormClose() {
  if (closed_) return;
  closed_ = true;
  timer_.SetEnabled(false);
  root_->RunExit();
  Scene().currentScreen = 0;
}

// A loading screen shows its progress by drawing and presenting a frame from inside a tick.
void TFormMain::SetGraphics(Graphics* graphics) {
  graphics_ = graphics;
  root_->Services().renderFrame = [this] {
    if (graphics_ == nullptr) return;
    graphics_->Device().Render(0, true);
    graphics_->Device().Flip();
  };
}

TOxElement* TFormMain::CurrentScreen() const { return scene::Resolve(Scene().currentScreen); }

// One frame: draw the state the previous ticks left, then run the ticks that have passed, then
// show the frame.
void TFormMain::RunFrame() {
  if (graphics_ == nullptr) {
    DeviceRender();
    timer_.Process();
    return;
  }
  graphics_->Device().Render(0, true);
  timer_.Process();
  if (!closed_) graphics_->Device().Flip();
}

void TFormMain::Repaint() {
  if (graphics_ == nullptr) return;
  graphics_->Device().Render(0, false);
  graphics_->Device().Flip();
}

void TFormMain::FormPaint() {
  if (!timer_.Enabled()) Repaint();
}

void TFormMain::TimerProcess() {
  if (closed_) return;
  ++ticksRun_;
  if (media::ImageStore* images = media::Images()) ++images->ImStamp();
  if (logoIndex_ >= 0) return SplashTick();
  if (Scene().loading) return LoadingTick();
  PlayTick();
}

// Up to ten logos of 100 ticks each; the tree is initialised at tick 18 of the first and the
// first screen shown at tick 18 of the second (or at the end).
// The current screen is looked up after Init, whose scripts may have changed it.
void TFormMain::SplashTick() {
  if (logoCount_ < 100 && logoIndex_ > 0) {
    if (++logoCount_ == 18) {
      if (!initialised_) {
        root_->Init();
        if (TOxElement* screen = CurrentScreen()) screen->LoadResources();
        initialised_ = true;
      } else if (!shown_) {
        if (TOxElement* screen = CurrentScreen()) screen->Show();
        shown_ = true;
      }
    }
    return;
  }
  if (logoIndex_ >= 10) {
    if (!initialised_) root_->Init();
    TOxElement* screen = CurrentScreen();
    if (!shown_ && screen) {
      screen->LoadResources();
      screen->Show();
    }
    timer_.Reset();
    logoIndex_ = -1;
    return;
  }
  // Missing logos are skipped at once; their sounds are still played.
  do {
    ++logoIndex_;
    logo_ = elements::RequestPicture("logos\\logo" + std::to_string(logoIndex_) + ".jpg");
    PlayLogoSound();
  } while (elements::TexturesOf(logo_) == nullptr && logoIndex_ < 10);
  logoCount_ = 0;
  timer_.Reset();
}

void TFormMain::PlayLogoSound() {
  if (root_->Services().playSample) root_->Services().playSample("logo" + std::to_string(logoIndex_) + ".mp3", 100);
}

void TFormMain::StepMusicFades() {
  if (root_->Services().stepMusicFades) root_->Services().stepMusicFades();
}

void TFormMain::LoadingTick() {
  if (TOxElement* loadingScreen = root_->FindByKey(root_->LoadingScreen)) {
    loadingScreen->Process();
  } else {
    root_->FinishScreenSwitch();
    Scene().loading = false;
  }
  StepMusicFades();
}

void TFormMain::PlayTick() {
  if (TOxElement* screen = CurrentScreen()) screen->Process();
  root_->Stars().UpdateStars();
  if (TOxElement* cursor = scene::Resolve(Scene().cursorElement)) cursor->Process();
  StepMusicFades();
  if (graphics_ != nullptr && Scene().fullScreen == graphics_->Device().Windowed()) {
    graphics_->Device().SetWindowed(!Scene().fullScreen);
    ApplyScreenMode();
  }
  if (Scene().quitRequested) FormClose();
}

// Drawing passes, layer by layer. Elements load their resources on their first pass; what they
// draw reaches the screen once there is a device.
// The logo fades in over 17 ticks and out from tick 83, over a fill of its first pixel's colour.
void TFormMain::DrawLogo() {
  render::TAsphyreCanvas* canvas = elements::Canvas();
  const render::TAsphyreImage* textures = elements::TexturesOf(logo_);
  if (canvas == nullptr || textures == nullptr) return;
  const std::uint32_t alpha = logoCount_ < 18 ? logoCount_ * 15 : logoCount_ >= 83 ? (100 - logoCount_) * 15 : 255;
  canvas->FillRect(0, 0, 1024, 768, media::GetTexturePixel(*textures, 0, 0, 0), render::kFxCopy);
  canvas->Draw(textures, static_cast<float>((1024 - textures->VisibleWidth()) / 2),
               static_cast<float>((768 - textures->VisibleHeight()) / 2), 0, alpha << 24 | 0xFFFFFFu, render::kFxBlend);
}

// In play the stars of each layer are drawn after it, and those of layer 1000 after all layers.
void TFormMain::DeviceRender() {
  if (closed_) return;
  if (logoIndex_ >= 0) return DrawLogo();
  auto renderLayers = [this](TOxElement& e, std::int32_t low, std::int32_t high, double x, double y) {
    scene::WalkLayersUp(low, high, [this](std::int64_t n) { return root_->LayerAtOrAbove(n); },
                        [&](std::int32_t layer) { e.Render(layer, 0xFFFFFFFFu, x, y, 0); });
  };
  TOxElement* screen = CurrentScreen();
  if (Scene().loading) {
    if (screen) renderLayers(*screen, screen->MinOrder, screen->MaxOrder, 0, 0);
    if (TOxElement* loadingScreen = root_->FindByKey(root_->LoadingScreen))
      renderLayers(*loadingScreen, loadingScreen->MinOrder, loadingScreen->MaxOrder, 0, 0);
    return;
  }
  if (screen) {
    auto elementOrStarLayer = [this](std::int64_t n) {
      const std::optional<std::int32_t> element = root_->LayerAtOrAbove(n);
      const std::optional<std::int32_t> star = root_->Stars().LayerAtOrAbove(n);
      if (!element || !star) return element ? element : star;
      return std::optional<std::int32_t>(std::min(*element, *star));
    };
    scene::WalkLayersUp(root_->MinOrder, root_->MaxOrder, elementOrStarLayer, [&](std::int32_t layer) {
      screen->Render(layer, 0xFFFFFFFFu, 0, 0, 0);
      elements::DrawStars(root_->Stars(), layer);
    });
  }
  elements::DrawStars(root_->Stars(), scene::StarPool::kAfterAllLayers);
  if (TOxElement* cursor = scene::Resolve(Scene().cursorElement))
    renderLayers(*cursor, cursor->MinOrder, cursor->MaxOrder, Scene().mouseX, Scene().mouseY);
}

}  // namespace ox::shell
