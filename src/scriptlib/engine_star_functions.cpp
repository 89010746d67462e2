// Engine functions that add star sprites: AddStar, and ImStarsR, which scatters stars over the
// opaque parts of an image's picture.
#include "elements/drawing.h"
#include "elements/image.h"
#include "platform/core/random.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

// The optional tail both functions share, from position `at`: pattern, colour text, layer,
// effect.
struct StarLook {
  std::int32_t pattern = 0;
  std::optional<std::string> colour;
  std::int32_t layer = scene::StarPool::kAfterAllLayers;
  std::int32_t effect = scene::StarPool::kDefaultEffect;
};

StarLook ReadLook(const TVarList& args, std::size_t at) {
  StarLook look;
  if (args.Count() > at) look.pattern = AsInteger(args[at].Val);
  if (args.Count() > at + 1) look.colour = AsText(args[at + 1].Val);
  if (args.Count() > at + 2) look.layer = AsInteger(args[at + 2].Val);
  if (args.Count() > at + 3) look.effect = AsInteger(args[at + 3].Val);
  return look;
}

void Add(scene::TOxDB& root, const StarLook& look, const scene::StarMotion& motion) {
  root.Stars().AddStar(look.pattern, look.colour, look.effect, look.layer, motion);
}

// ImStarsR(image, count, min alpha, scale, scale random, scale speed, angle, angle speed,
// x speed, y speed [, pattern [, colour [, layer [, effect]]]]): count tries at random texels
// of the picture; each texel of alpha at least min alpha gets a star.
void ScatterOverPicture(TVarList& args) {
  if (args.Count() < 10 || args.Count() > 14) return;
  const auto* image = dynamic_cast<elements::TOxImage*>(ElementArg(args, 0));
  const render::TAsphyreImage* textures = image ? elements::TexturesOf(image->Picture()) : nullptr;
  scene::TOxDB* root = GameRoot();
  if (textures == nullptr || root == nullptr) return;
  const std::int32_t count = AsInteger(args[1].Val);
  const double minAlpha = AsFloat(args[2].Val);
  const StarLook look = ReadLook(args, 10);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t px = platform::RandomBelow(textures->PatternWidth());
    const std::int32_t py = platform::RandomBelow(textures->PatternHeight());
    const std::uint32_t alpha = media::GetTexturePixel(*textures, px, py, image->Anim()) >> 24;
    if (alpha < minAlpha) continue;
    const double scale = AsFloat(args[3].Val) + platform::RandomBelow(AsInteger(args[4].Val)) / 100.0;
    Add(*root, look,
        {AsFloat(args[6].Val), static_cast<double>(image->GetAbsX()) + px, static_cast<double>(image->GetAbsY()) + py,
         scale, AsFloat(args[7].Val), AsFloat(args[5].Val), AsFloat(args[8].Val), AsFloat(args[9].Val)});
  }
}

}  // namespace

// AddStar(angle, x, y, scale, angle speed, scale speed, x speed, y speed [, pattern [, colour
// [, layer [, effect]]]]).
bool AddStar(TPasCalc&, TVarList& args, Value& result) {
  if (args.Count() > 12) return false;
  const scene::StarMotion motion{AsFloat(args[0].Val), AsFloat(args[1].Val), AsFloat(args[2].Val),
                                 AsFloat(args[3].Val), AsFloat(args[4].Val), AsFloat(args[5].Val),
                                 AsFloat(args[6].Val), AsFloat(args[7].Val)};
  const StarLook look = ReadLook(args, 8);
  if (scene::TOxDB* root = GameRoot()) Add(*root, look, motion);
  result = Value::UInt8(0);
  return true;
}

void ScatterStars(TVarList& args, Value&) {
  try {
    ScatterOverPicture(args);
  } catch (const std::exception&) {
    // A conversion that fails ends the scattering; the function still succeeds.
  }
}

}  // namespace ox::scriptlib
