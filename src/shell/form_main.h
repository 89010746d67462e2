// TFormMain: the player's main form. It owns the game root, the interpreter pool and the frame
// timer, runs the logo splash and the game ticks, and routes mouse, key and window events to
// the elements. The same handlers serve the window and the headless events file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/timer.h"
#include "shell/audio_system.h"
#include "shell/graphics.h"
#include "shell/resources.h"
#include "scene/game_root.h"
#include "scene/script_binding.h"

namespace ox::media {
class TOxIm;
}

namespace ox::shell {

class TFormMain {
 public:
  // Creates the pool (every native function registered), the root, and the timer on `clock`.
  TFormMain(render::Clock& clock, bool testMode, bool logErrors);
  ~TFormMain();

  // Where frames are drawn; none draws nothing (the game still runs).
  void SetGraphics(Graphics* graphics);
  // Where sounds play; none plays nothing.
  void SetAudio(AudioSystem* audio) { audio_ = audio; }
  // The archive and fonts, made anew after a switch of screen mode; none has nothing to reload.
  void SetResources(Resources* resources) { resources_ = resources; }
  // Loads the game, sets the title, chooses the current screen and starts the timer.
  void StartGame(const std::string& gameFile);
  // Ends the game: the timer stops and the root's exit event runs. The tree stays until the
  // form is destroyed, so what the game left can still be written out.
  void FormClose();

  scene::TOxDB& Root() { return *root_; }
  render::TAsphyreTimer& Timer() { return timer_; }
  scene::InterpreterPool& Pool() { return *pool_; }
  const std::string& Title() const { return title_; }
  bool Closed() const { return closed_; }
  std::int64_t TicksRun() const { return ticksRun_; }

  // Event handlers.
  // The frame tick: draws the frame, runs the game ticks that have passed and shows the frame.
  void RunFrame();
  void TimerProcess();
  void DeviceRender();
  void FormMouseMove(std::int32_t x, std::int32_t y);
  void FormMouseDown(std::int32_t x, std::int32_t y);
  void FormMouseUp(std::int32_t x, std::int32_t y);
  void FormKeyDown(std::int32_t key, bool alt, bool ctrl, bool shift);
  // A typed character: the low 16 bits of `parameter`, or its high 16 when the low half is 255.
  void TypeCharacter(std::uint32_t parameter);
  void WMActivate(bool active);
  void FormPaint();
  // The screen-mode switch: applies Scene().fullScreen to the settings, window and textures.
  void ApplyScreenMode();

 private:
  void SplashTick();
  void LoadingTick();
  void PlayTick();
  void PlayLogoSound();
  void DrawLogo();
  void StepMusicFades();
  scene::TOxElement* CurrentScreen() const;
  scene::TOxElement* HitAt(std::int32_t x, std::int32_t y) const;
  // Draws the frame again without clearing and shows it (a paused window repaints).
  void Repaint();

  render::TAsphyreTimer timer_;
  Graphics* graphics_ = nullptr;
  AudioSystem* audio_ = nullptr;
  Resources* resources_ = nullptr;
  std::unique_ptr<scene::InterpreterPool> pool_;
  std::unique_ptr<scene::TOxDB> root_;
  std::string title_;
  bool closed_ = false;
  std::int64_t ticksRun_ = 0;
  // The splash.
  std::int32_t logoIndex_ = 0;
  std::int32_t logoCount_ = 0;
  bool initialised_ = false;
  bool shown_ = false;
  media::TOxIm* logo_ = nullptr;
};

}  // namespace ox::shell
