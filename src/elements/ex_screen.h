// TOxExScreen: a screen reference, showing another screen (by its Key) inside this one.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxScreen;

class TOxExScreen : public scene::TOxElement {
 public:
  TOxExScreen();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::int32_t obScreen() const { return obScreen_; }
  // Naming another screen drops the resolved one; the next use looks it up again.
  void SetObScreen(std::int32_t key);

  // The referenced screen's size, or 0 while none is resolved.
  std::int32_t GetSizeX() const override;
  std::int32_t GetSizeY() const override;
  // The point is tested in the referenced screen where it is shown, aligned to X and Y; the
  // reference's own children take no hits, and a Modal reference takes what nothing else does.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;
  // The referenced screen drawn, processed, updated, initialised, loaded and shown through
  // the reference, where the reference stands and aligned to it; then the reference's own part.
  std::int32_t GetAbsX() const override;
  std::int32_t GetAbsY() const override;
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  void Process() override;
  void Update() override;
  void Init() override;
  void InitPr() override;
  void LoadResources() override;
  void ReloadResources() override;
  void Show() override;
  void SetVis(bool value) override;

  // ScreenRef: the first direct child of the root whose Key is obScreen and whose class is
  // exactly TOxScreen, or nullptr. Found on first need and kept; finding it widens the
  // reference's layer range (and its ancestors') to the screen's, so every layer pass reaches it.
  TOxScreen* ResolveScreen();

  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  bool Modal = false;
  bool Processing = true;

 private:
  TOxScreen* CachedScreen() const;
  TOxScreen* FindScreen() const;
  // Where the shown screen's origin lies in the reference's parent.
  std::int32_t AlignedX() const;
  std::int32_t AlignedY() const;

  std::int32_t obScreen_ = 0;
  // Ref() of ScreenRef, so that a destroyed screen is never reached through a stale cache.
  std::uint32_t screenRef_ = 0;
  // The passes that run inside the referenced screen now: a screen that shows itself through a
  // chain of references is entered once per pass, never again from inside itself.
  enum class Pass : std::uint8_t { HitTest, Render, Process, Update, Init, InitPr, LoadResources, ReloadResources, Show };
  template <class Operation>
  void OnScreen(Pass pass, Operation operation);
  std::uint16_t passes_ = 0;
};

}  // namespace ox::elements
