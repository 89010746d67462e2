// A game root with one current screen, and the frame loop's search for the element under the
// cursor: one pass per layer of the root, from the highest down, stopping at the first hit.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "scene/game_root.h"
#include "scene/layer_walk.h"

namespace ox::elements {

struct HitFixture : ::testing::Test {
  void SetUp() override { RegisterElementClasses(); }

  scene::TOxElement* HitAt(std::int32_t x, std::int32_t y) {
    return scene::HitOnLayers(root, *current, x, y);
  }

  // A box shape of the given place and size inside parent.
  static TOxShape* Box(scene::TOxElement& parent, std::int32_t x, std::int32_t y,
                       std::int32_t sizeX, std::int32_t sizeY) {
    auto* shape = scene::TOxElement::CreateIn<TOxShape>(parent);
    shape->SetPos(x, y);
    shape->SetSizeX(sizeX);
    shape->SetSizeY(sizeY);
    return shape;
  }

  scene::TOxDB root;
  TOxScreen* current = scene::TOxElement::CreateIn<TOxScreen>(root);
};

// Takes every hit of its own layer and remembers the margin it was handed.
struct AgroProbe : TOxShape {
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t, std::int32_t, std::int32_t agro,
                             std::uint8_t) override {
    seenAgro = agro;
    return layer == Order ? this : nullptr;
  }
  std::int32_t seenAgro = -1;
};

}  // namespace ox::elements
