#include "elements/register_classes.h"

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/effect.h"
#include "elements/ex_anim.h"
#include "elements/ex_screen.h"
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"

namespace ox::elements {

void RegisterElementClasses() {
  auto& registry = scene::ClassRegistry::Instance();
  registry.Add(&scene::TOxDB::StaticClass());
  registry.Add(&TOxScreen::StaticClass());
  registry.Add(&TOxImage::StaticClass());
  registry.Add(&TOxExScreen::StaticClass());
  registry.Add(&TOxAnim::StaticClass());
  registry.Add(&TOxAnKey::StaticClass());
  registry.Add(&TOxExAnim::StaticClass());
  registry.Add(&TOxEffect::StaticClass());
  registry.Add(&TOxImList::StaticClass());
  registry.Add(&TOxShape::StaticClass());
  registry.Add(&TOxText::StaticClass());
}

}  // namespace ox::elements
