// TOxAnim: a key-frame animation whose keys (TOxAnKey children) hold the images it interpolates.
// It plays its frame table one frame per game tick and draws the current frame; the keys and
// their images are drawn themselves only when ShowAn is off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "elements/anim_frames.h"
#include "elements/box_element.h"
#include "elements/playable.h"

namespace ox::media {
class TOxIm;
}

namespace ox::elements {

class TOxAnim final : public TOxBoxElement, public Playable {
 public:
  TOxAnim();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // An animation never takes the mouse, nor does anything inside it.
  scene::TOxElement* HitTest(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                             std::uint8_t) override {
    return nullptr;
  }

  // The background picture, drawn under every frame; the animation takes its size once loaded.
  const std::string& ImBack() const;
  void SetImBack(std::string name);
  std::int32_t Pos() const { return pos_; }
  // Past the last frame the position wraps to 0 with Rep, else stays on the last frame
  // (-1 for an empty table); negative values stay as given.
  void SetFramePos(std::int32_t frame);
  bool Morph() const { return morph_; }
  void SetMorph(bool value);

  // Builds the frame table anew from the keys and their images as they are now (nothing while
  // a game file or saved state is being read), then clamps Pos to it.
  void Rebuild();
  std::int32_t FrameCount() const { return frames_.FrameCount(); }
  const AnimFrames& Frames() const { return frames_; }
  // The background, then every entry of the frame whose picture is loaded, with the animation's
  // origin at (x, y); color tints only the background.
  void DrawFrame(std::int32_t frame, std::uint32_t color, double x, double y);

  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  void Process() override;
  void Update() override;
  void Init() override;
  void InitPr() override;
  void AfterLoad() override;
  void LoadResources() override;
  void ReloadResources() override;
  // The base's names first; then KEYX, KEYY, KEYANG, KEYSCALE, KEYAN, KEYX[n], KEYY[n] of the
  // current frame's entries and COUNT.
  bool GetVar(const std::string& name, script::Value& out) override;

  void AnimStart(const std::string& eventName) override;
  void AnimPlay() override;

  std::uint32_t hxDrawFx = 1;
  std::int32_t Agro = 0;
  bool Modal = false;
  bool Rep = false;
  bool ShowAn = false;
  bool Active = false;
  scene::EventScript exStop, exStart, exAnim;
  long double Angle = 0.0L;
  bool Interpol = false;

 private:
  bool FrameVar(const std::string& name, script::Value& out);

  media::TOxIm* imBack_ = nullptr;
  std::int32_t pos_ = 0;
  bool morph_ = false;
  AnimFrames frames_;
  std::vector<FrameEntry> entries_;  // the frame being drawn or read, kept to reuse its storage
};

}  // namespace ox::elements
