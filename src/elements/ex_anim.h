// TOxExAnim: an animation reference, playing the frame table of an animation of the root (by its
// Key) at its own place, aligned to X and Y, with its own frame index.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxAnim;

class TOxExAnim final : public scene::TOxElement {
 public:
  TOxExAnim();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::int32_t obAnim() const { return obAnim_; }
  // Naming another animation drops the resolved one; the next use looks it up again.
  void SetObAnim(std::int32_t key);
  std::int32_t Pos() const { return pos_; }
  // Past the resolved animation's last frame: 0 with the reference's Rep, else the last frame.
  void SetFramePos(std::int32_t frame);

  // The first direct child of the root whose Key is obAnim and whose class is exactly TOxAnim,
  // or nullptr. Found on first need and kept.
  TOxAnim* ResolveAnim() const;

  // The animation's size, or 0 while none is resolved.
  std::int32_t GetSizeX() const override;
  std::int32_t GetSizeY() const override;
  std::int32_t GetAbsX() const override;
  std::int32_t GetAbsY() const override;
  // The animation's frame at the reference's Pos; the reference's own children are not drawn.
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  // Counts one frame per tick while Active; raises no animation events and never stops itself.
  void Process() override;
  // Loads the reference's own resources, then its animation's.
  void LoadResources() override;

  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  bool Rep = false;
  bool Active = false;

 private:
  TOxAnim* CachedAnim() const;
  std::int32_t AlignedX() const;
  std::int32_t AlignedY() const;

  std::int32_t obAnim_ = 0;
  std::int32_t pos_ = 0;
  // Ref() of the resolved animation (a cache), so that a destroyed one is never reached.
  mutable std::uint32_t animRef_ = 0;
};

}  // namespace ox::elements
