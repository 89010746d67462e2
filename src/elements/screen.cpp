#include "elements/screen.h"

#include "elements/drawing.h"
#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ScreenProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxScreen::ImBack, &TOxScreen::SetImBack, PropType::String>("ImBack"),
      SizeXProperty(),
      SizeYProperty(),
      Field<&TOxScreen::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Field<&TOxScreen::Agro, PropType::Integer>("Agro"),
      Field<&TOxScreen::Modal, PropType::Boolean>("Modal"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
      OrderProperty(),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Event<&TOxElement::exShow>("exShow"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      KeepsLoaded(Field<&TOxScreen::AllwaysLoad, PropType::Boolean>("AllwaysLoad")),
      NotSaveProperty(),
      Event<&TOxElement::exRender>("exRender"),
      Field<&TOxElement::AutoInit, PropType::Boolean>("AutoInit"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxScreen::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxScreen", {"TOxDB"}, ScreenProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxScreen>(parent); },
      ClassFacts{.initsOnlyWithAutoInit = true});
  return info;
}

const ClassInfo& TOxScreen::Class() const { return StaticClass(); }

// A screen is hit-tested and processed while invisible.
TOxScreen::TOxScreen() : TOxBoxElement(0) { MousedNotVis = true; }

TOxElement* TOxScreen::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y, std::int32_t,
                               std::uint8_t flag) {
  if (TOxElement* hit = TOxElement::HitTest(layer, x, y, Agro, flag)) return hit;
  if (layer == Order && Modal && (Vis || MousedNotVis)) return this;
  return nullptr;
}

const std::string& TOxScreen::ImBack() const { return PictureName(imBack_); }

void TOxScreen::SetImBack(std::string name) {
  imBack_ = RequestPicture(name);
  TakePatternSize(imBack_, sizeX_, sizeY_);
}

void TOxScreen::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                       std::uint8_t flag) {
  if (!ResLoaded) LoadResources();
  if (layer == Order) {
    const render::TAsphyreImage* textures = imBack_ ? TexturesOf(imBack_) : nullptr;
    if (textures != nullptr && Canvas() != nullptr)
      Canvas()->Draw(textures, static_cast<float>(offsetX), static_cast<float>(offsetY), 0, color, hxDrawFx);
    RunEvent(*this, exRender, "Render");
  }
  TOxElement::Render(layer, color, offsetX, offsetY, flag);
}

}  // namespace ox::elements
