#include "elements/anim.h"

#include <numbers>

#include "elements/drawing.h"
#include "elements/pattern_quad.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/game_file_reader.h"
#include "scene/property_accessors.h"
#include "script/convert.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable AnimProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxAnim::ImBack, &TOxAnim::SetImBack, PropType::String>("ImBack"),
      SizeXProperty(),
      SizeYProperty(),
      Field<&TOxAnim::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Field<&TOxAnim::Agro, PropType::Integer>("Agro"),
      Field<&TOxAnim::Modal, PropType::Boolean>("Modal"),
      Accessor<&TOxAnim::Pos, &TOxAnim::SetFramePos,
               PropType::Integer>("Pos"),
      Accessor<&TOxAnim::Morph, &TOxAnim::SetMorph, PropType::Boolean>("Morph"),
      Field<&TOxAnim::Rep, PropType::Boolean>("Rep"),
      Field<&TOxAnim::ShowAn, PropType::Boolean>("ShowAn"),
      Field<&TOxAnim::Active, PropType::Boolean>("Active"),
      Event<&TOxAnim::exStop>("exStop"),
      Event<&TOxAnim::exStart>("exStart"),
      Event<&TOxAnim::exAnim>("exAnim"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      OrderProperty(),
      Field<&TOxAnim::Angle, PropType::Extended>("Angle"),
      Event<&TOxElement::exVarRS>("exVarRS"),
      NotSaved(Field<&TOxAnim::Interpol, PropType::Boolean>("Interpol")),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      NotSaveProperty(),
      Event<&TOxElement::exProcess>("exProcess"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxAnim::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxAnim", {"TOxDB", "TOxScreen", "TOxImage", "TOxShape"}, AnimProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxAnim>(parent); });
  return info;
}

const ClassInfo& TOxAnim::Class() const { return StaticClass(); }

TOxAnim::TOxAnim() : TOxBoxElement(0) { MousedNotVis = true; }

const std::string& TOxAnim::ImBack() const { return PictureName(imBack_); }

void TOxAnim::SetImBack(std::string name) {
  imBack_ = RequestPicture(name);
  TakePatternSize(imBack_, sizeX_, sizeY_);
}

void TOxAnim::SetFramePos(std::int32_t frame) {
  pos_ = frame;
  const std::int32_t count = FrameCount();
  if (frame >= count) pos_ = Rep ? 0 : count - 1;
}

void TOxAnim::SetMorph(bool value) {
  morph_ = value;
  Rebuild();
}

void TOxAnim::Rebuild() {
  if (IsReadingRecords()) return;
  try {
    frames_.Build(*this);
  } catch (const std::exception&) {
    frames_.Clear();  // a place outside 32 bits: the table stays empty
  }
  SetFramePos(pos_);
}

void TOxAnim::DrawFrame(std::int32_t frame, std::uint32_t color, double x, double y) {
  render::TAsphyreCanvas* canvas = Canvas();
  if (canvas == nullptr || frame < 0 || frame >= FrameCount()) return;
  if (const render::TAsphyreImage* back = TexturesOf(imBack_)) {
    canvas->Draw(back, static_cast<float>(x), static_cast<float>(y), 0, color, hxDrawFx);
  }
  frames_.Frame(frame, entries_);
  for (const FrameEntry& e : entries_) {
    const render::TAsphyreImage* textures = TexturesOf(e.picture);
    if (textures == nullptr) continue;
    const render::TPoint2 centre{static_cast<float>(x + e.x), static_cast<float>(y + e.y)};
    const long double radians = (Angle + e.angle) * std::numbers::pi_v<long double> / 180;
    DrawPatternQuad(*canvas, *textures,
                    {centre, e.scaleX, e.scaleY, e.scale, radians, e.pattern, e.colour, e.effect});
  }
}

void TOxAnim::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                     std::uint8_t) {
  if (!ResLoaded) LoadResources();
  if (ShowAn) {
    if (layer == Order) DrawFrame(pos_, color, offsetX + rX, offsetY + rY);
    return;
  }
  const render::TAsphyreImage* back = TexturesOf(imBack_);
  if (back != nullptr && layer == Order && Canvas() != nullptr) {
    Canvas()->Draw(back, static_cast<float>(offsetX), static_cast<float>(offsetY), 0, color, hxDrawFx);
  }
  // Every key at once, the first uppermost.
  const auto& keys = Children();
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    if ((*it)->Vis) (*it)->Render(layer, color, offsetX + rX, offsetY + rY, 0);
  }
}

// One frame per game tick while visible and active; at the end the animation wraps with Rep,
// else stops on its last frame.
void TOxAnim::Process() {
  if (!Vis) return;
  if (Active) {
    if (pos_ < FrameCount() - 1 || Rep) {
      SetFramePos(CheckedAdd(pos_, 1));
      RunEvent(*this, exAnim, "anAnim");
    } else {
      Active = false;
      RunEvent(*this, exStop, "anStop");
    }
  }
  TOxElement::Process();
}

// A script changes the key images and calls "Update" to see them.
void TOxAnim::Update() {
  TOxElement::Update();
  Rebuild();
}

void TOxAnim::Init() {
  if (!InitDone) Rebuild();
  TOxElement::Init();
}

void TOxAnim::InitPr() {
  Rebuild();
  TOxElement::InitPr();
}

// Runs once the saved state is applied, so that the scripts after it see the restored layout.
void TOxAnim::AfterLoad() {
  Rebuild();
  TOxElement::AfterLoad();
}

// Pictures loaded just now are in the table from here on.
void TOxAnim::LoadResources() {
  if (ResLoaded) return;
  TOxElement::LoadResources();
  Rebuild();
}

void TOxAnim::ReloadResources() {
  TOxElement::ReloadResources();
  Rebuild();
}

bool TOxAnim::GetVar(const std::string& name, script::Value& out) {
  return TOxElement::GetVar(name, out) || FrameVar(name, out);
}

bool TOxAnim::FrameVar(const std::string& name, script::Value& out) {
  using script::Value;
  if (name == "COUNT") return out = Value::Int32(FrameCount()), true;
  enum class Read { X, Y, Angle, Scale, Pattern } read;
  std::int32_t index = 1;  // counted from 1
  const bool indexed = name.size() >= 6 && (name.starts_with("KEYX[") || name.starts_with("KEYY["));
  if (indexed) {
    read = name[3] == 'X' ? Read::X : Read::Y;
    if (!script::TextToInt32(std::string_view(name).substr(5, name.size() - 6), index)) index = 0;
  } else if (name == "KEYX") {
    read = Read::X;
  } else if (name == "KEYY") {
    read = Read::Y;
  } else if (name == "KEYANG") {
    read = Read::Angle;
  } else if (name == "KEYSCALE") {
    read = Read::Scale;
  } else if (name == "KEYAN") {
    read = Read::Pattern;
  } else {
    return false;
  }
  frames_.Frame(pos_, entries_);
  if (index < 1 || static_cast<std::size_t>(index) > entries_.size()) {
    out = read == Read::Pattern ? Value::Int32(0) : Value::Float(0);
    return true;
  }
  const FrameEntry& e = entries_[static_cast<std::size_t>(index - 1)];
  switch (read) {
    case Read::X: out = Value::Float(GetAbsX() + e.x); break;
    case Read::Y: out = Value::Float(GetAbsY() + e.y); break;
    case Read::Angle: out = Value::Float(e.angle); break;
    case Read::Scale: out = Value::Float(e.scale); break;
    case Read::Pattern: out = Value::Int32(e.pattern); break;
  }
  return true;
}

void TOxAnim::AnimStart(const std::string& eventName) {
  SetFramePos(0);
  Active = true;
  SetVis(true);
  RunEvent(*this, exStart, eventName.c_str());
}

// Continues from where it was paused; from the start when it stood on its last frame.
void TOxAnim::AnimPlay() {
  Active = true;
  if (pos_ >= FrameCount() - 1) SetFramePos(0);
  SetVis(true);
}

}  // namespace ox::elements
