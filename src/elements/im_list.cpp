#include "elements/im_list.h"

#include <algorithm>

#include "platform/checked.h"
#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ImListProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxImList::RowCount, &TOxImList::SetRowCount, PropType::Integer>("RowCount"),
      Accessor<&TOxImList::ColCount, &TOxImList::SetColCount, PropType::Integer>("ColCount"),
      Accessor<&TOxImList::Space, &TOxImList::SetSpace, PropType::Integer>("Space"),
      Accessor<&TOxImList::ScrollPos, &TOxImList::SetScrollPos, PropType::Integer>("ScrollPos"),
      SizeXProperty(),
      SizeYProperty(),
      Accessor<&TOxImList::ElWidth, &TOxImList::SetElWidth, PropType::Integer>("ElWidth"),
      Accessor<&TOxImList::ElHeight, &TOxImList::SetElHeight, PropType::Integer>("ElHeight"),
      Field<&TOxImList::Scale, PropType::Real>("Scale"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
      OrderProperty(),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
      Event<&TOxElement::exMouseIn>("exMouseIn"),
      Event<&TOxElement::exMouseOut>("exMouseOut"),
      Event<&TOxElement::exMouseDown>("exMouseDown"),
  });
  return t;
}

// (length - (count - 1) x space) div count, at least 0.
std::int32_t CellLength(std::int32_t length, std::int32_t count, std::int32_t space) {
  const std::int32_t gaps = CheckedMul(CheckedSub(count, 1), space);
  return std::max(0, CheckedSub(length, gaps) / count);
}

}  // namespace

const ClassInfo& TOxImList::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxImList", {"TOxScreen", "TOxImage", "TOxShape"}, ImListProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxImList>(parent); });
  return info;
}

const ClassInfo& TOxImList::Class() const { return StaticClass(); }

// Mouse-down and mouse-up on a list are not passed on to the root.
TOxImList::TOxImList() { NoMsOxDB = true; }

void TOxImList::SetSizeX(std::int32_t value) { sizeX_ = value; RecomputeCells(); }
void TOxImList::SetSizeY(std::int32_t value) { sizeY_ = value; RecomputeCells(); }
void TOxImList::SetRowCount(std::int32_t value) { rowCount_ = value; RecomputeCells(); }
void TOxImList::SetColCount(std::int32_t value) { colCount_ = value; RecomputeCells(); }
void TOxImList::SetSpace(std::int32_t value) { space_ = value; RecomputeCells(); }

void TOxImList::RecomputeCells() {
  elWidth_ = 0;
  elHeight_ = 0;
  if (colCount_ != 0 && rowCount_ != 0) {
    elWidth_ = CellLength(sizeX_, colCount_, space_);
    elHeight_ = CellLength(sizeY_, rowCount_, space_);
  }
  SetScrollPos(ScrollPos());
}

std::int32_t TOxImList::ScrollPos() const { return CheckedMul(scrollRow_, colCount_); }

// A list always shows from its first row: whatever row the value names, the scroll row stays 0.
// (So nothing divides by a ColCount that is still 0 while a list's record is being read.)
void TOxImList::SetScrollPos(std::int32_t) { scrollRow_ = 0; }

}  // namespace ox::elements
