#include "elements/im_list.h"

#include <algorithm>
#include <charconv>

#include "elements/image.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
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
      NotSaveProperty(),
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

// A piece of an "ELEMENTS" text: a decimal integer, blanks around it ignored.
bool KeyOfPiece(std::string_view piece, std::int32_t& key) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!piece.empty() && blank(piece.front())) piece.remove_prefix(1);
  while (!piece.empty() && blank(piece.back())) piece.remove_suffix(1);
  if (piece.empty()) return false;
  const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), key);
  return error == std::errc() && end == piece.data() + piece.size();
}

}  // namespace

const ClassInfo& TOxImList::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxImList", {"TOxScreen", "TOxImage", "TOxShape"}, ImListProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxImList>(parent); },
      ClassFacts{.extraSavedNames = {"ELEMENTS"}});
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

void TOxImList::AddItem(TOxImage& image) {
  items_.push_back({image.Ref(), 1.0});
  SetScrollPos(static_cast<std::int32_t>(items_.size() - 1));
}

void TOxImList::RemoveItem(const TOxImage& image) {
  const auto it = std::find_if(items_.begin(), items_.end(),
                               [&image](const Item& item) { return item.image == image.Ref(); });
  if (it != items_.end()) items_.erase(it);
}

void TOxImList::RemoveItem(const std::string& id) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const TOxImage* image = ItemImage(i);
    if (image != nullptr && image->Id == id) {
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

// Only images are ever added, and a reference is never given to another element.
TOxImage* TOxImList::ItemImage(std::size_t i) const {
  return static_cast<TOxImage*>(ElementRefs::Resolve(items_[i].image));
}

TOxImage* TOxImList::SelectedImage() const {
  const bool valid = selection_ >= 0 && static_cast<std::size_t>(selection_) < items_.size();
  return valid ? ItemImage(static_cast<std::size_t>(selection_)) : nullptr;
}

bool TOxImList::GetVar(const std::string& name, script::Value& out) {
  if (TOxElement::GetVar(name, out)) return true;
  if (name == "ELEMENTS") return out = script::Value::String(ElementsText()), true;
  if (name == "SELEL") {
    const TOxImage* image = SelectedImage();
    return out = script::Value::UInt32(image ? image->Ref() : 0), true;
  }
  return false;
}

bool TOxImList::SetVar(const std::string& name, const script::Value& value) {
  if (TOxElement::SetVar(name, value)) return true;
  if (name != "ELEMENTS" || !value.IsString()) return false;
  AssignElements(value.s);
  return true;
}

std::string TOxImList::ElementsText() const {
  std::string text;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (const TOxImage* image = ItemImage(i)) text += std::to_string(image->Key) + ";";
  }
  return text;
}

void TOxImList::AssignElements(const std::string& text) {
  items_.clear();
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(';'), rest.size());
    std::int32_t key = 0;
    if (KeyOfPiece(rest.substr(0, end), key) && Root() != nullptr) {
      TOxElement* found = Root()->FindByKey(key);
      if (found != nullptr && &found->Class() == &TOxImage::StaticClass())
        AddItem(static_cast<TOxImage&>(*found));
    }
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
}

void TOxImList::LoadResources() {
  if (ResLoaded) return;
  TOxElement::LoadResources();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (TOxImage* image = ItemImage(i)) image->LoadResources();
  }
}

void TOxImList::ReloadResources() {
  TOxElement::ReloadResources();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (TOxImage* image = ItemImage(i)) image->ReloadResources();
  }
}

}  // namespace ox::elements
