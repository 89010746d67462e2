#include "scriptlib/special_support.h"

#include "platform/core/checked.h"
#include "platform/core/random.h"
#include "script/var_list.h"
#include "scriptlib/element_paths.h"

namespace ox::scriptlib {

void SetElementVar(scene::TOxElement& element, const std::string& name, const Value& value) {
  if (!element.SetVar(name, value)) element.EnsureVars().AddVar(script::TVar{name, value});
}

std::vector<elements::TOxImage*> PicturesIn(const scene::TOxElement& parent) {
  std::vector<elements::TOxImage*> pictures;
  for (const auto& child : parent.Children()) {
    if (auto* picture = dynamic_cast<elements::TOxImage*>(child.get())) pictures.push_back(picture);
  }
  return pictures;
}

void MarkLevelWon(scene::TOxElement& element) {
  SetVariableAt(element, "OXDB.LOGINTERFACE.WIN", Value::Int32(1));
}

void CountOneMore(scene::TOxElement& puzzle) {
  const std::int32_t count = CheckedAdd(CheckedInt32(NumberAt(puzzle, ".CNN").value_or(0)), 1);
  SetVariableAt(puzzle, ".CNN", Value::Int32(count));
  SetAt(puzzle, "GI.CNT.TEXT", Value::String(std::to_string(count)));
}

void AddSparkle(double x, double y, double scale, double scaleSpeed, double ySpeed,
                std::optional<std::string> colour) {
  constexpr std::int32_t kSparklePattern = 2;
  scene::TOxDB* root = GameRoot();
  if (root == nullptr) return;
  const double angle = platform::RandomBelow(360);
  const double angleSpeed = platform::RandomBelow(10) - 5;
  root->Stars().AddStar(kSparklePattern, colour, scene::StarPool::kDefaultEffect, scene::StarPool::kAfterAllLayers,
                        {angle, x, y, scale, angleSpeed, scaleSpeed, 0, ySpeed});
}

}  // namespace ox::scriptlib
