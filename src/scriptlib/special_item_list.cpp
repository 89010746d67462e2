// The hidden-object item list: the items of the level (".L") are pictures in its layer "L",
// still to find while shown and found once hidden; the level "Level13" keeps its items in its
// layer "front" instead. The game's list ("GI.LIST") is refilled with the icons of the items
// still to find (the picture named as the item with "_s" added, in the list's ".IMLIST"); the
// counts of items to find and found are kept in "CNTS" and "CNTH" and shown in the texts ".CNTS"
// and ".CNTH" after their label, as "Label (3)", coloured by whether the count is above 0.
#include <string>
#include <vector>

#include "elements/im_list.h"
#include "platform/text/case1251.h"
#include "scene/element_vars.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr const char* kFrontItemsLevel = "LEVEL13";
constexpr const char* kIconSuffix = "_S";
constexpr std::uint32_t kSomeLeftColour = 0xFFFFFF;
constexpr std::uint32_t kNoneLeftColour = 0x808080;

std::vector<TOxImage*> Items(TOxImage& panel) {
  const std::optional<Value> level = ValueAt(panel, ".L.ID");
  const bool inFront = level && level->IsString() && platform::UpperCase1251(level->s) == kFrontItemsLevel;
  scene::TOxElement* layer = ElementAt(panel, inFront ? ".L.FRONT" : ".L.L");
  return layer != nullptr ? PicturesIn(*layer) : std::vector<TOxImage*>{};
}

// Refills the list with the icons of the items.
void FillList(TOxImage& panel, const std::vector<const TOxImage*>& wanted) {
  auto* list = ElementAt<elements::TOxImList>(panel, "GI.LIST");
  scene::TOxElement* icons = list ? ElementAt(*list, ".IMLIST") : nullptr;
  if (icons == nullptr) return;
  list->SetVar("ELEMENTS", Value::String(""));
  for (const TOxImage* item : wanted) {
    if (auto* icon = dynamic_cast<TOxImage*>(scene::ChildById(*icons, platform::UpperCase1251(item->Id) + kIconSuffix))) list->AddItem(*icon);
  }
}

// "Label (n)" in the text at the path, keeping the label before any earlier count.
void ShowCount(TOxImage& panel, const std::string& text, std::size_t count) {
  const std::optional<Value> shown = ValueAt(panel, text + ".TEXT");
  if (!shown || !shown->IsString()) return;
  const std::string label = shown->s.substr(0, shown->s.find(" ("));
  SetAt(panel, text + ".TEXT", Value::String(label + " (" + std::to_string(count) + ")"));
  const Value colour = Value::UInt32(count > 0 ? kSomeLeftColour : kNoneLeftColour);
  SetAt(panel, text + ".HXCOLOR1", colour);
  SetAt(panel, text + ".HXCOLOR2", colour);
}

}  // namespace

void UpdateItemList(TOxImage& panel, TVarList&) {
  std::vector<const TOxImage*> wanted;
  std::size_t found = 0;
  for (const TOxImage* item : Items(panel)) {
    if (item->Vis) wanted.push_back(item);
    else ++found;
  }
  FillList(panel, wanted);
  SetVariableAt(panel, "CNTS", Value::Int32(static_cast<std::int32_t>(wanted.size())));
  SetVariableAt(panel, "CNTH", Value::Int32(static_cast<std::int32_t>(found)));
  ShowCount(panel, ".CNTS", wanted.size());
  ShowCount(panel, ".CNTH", found);
}

}  // namespace ox::scriptlib
