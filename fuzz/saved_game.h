// The small game of every element kind that saves, over which the saved-state target loads its
// inputs and from which the seeds are saved.
#pragma once

#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "scene/game_root.h"

namespace ox::fuzz {

// A screen holding an image, a shape, a text and an image list, keyed 1 to 5; returns the image.
inline elements::TOxImage& MakeSavedGame(scene::TOxDB& root) {
  using scene::TOxElement;
  auto* screen = TOxElement::CreateIn<elements::TOxScreen>(root);
  screen->Key = 1;
  auto* image = TOxElement::CreateIn<elements::TOxImage>(*screen);
  image->Key = 2;
  TOxElement::CreateIn<elements::TOxShape>(*screen)->Key = 3;
  TOxElement::CreateIn<elements::TOxText>(*screen)->Key = 4;
  TOxElement::CreateIn<elements::TOxImList>(*screen)->Key = 5;
  root.CurKey = 5;
  return *image;
}

}  // namespace ox::fuzz
