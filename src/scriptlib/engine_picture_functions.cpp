// Engine functions that read an image's picture: GetAlpha and GetPixel.
#include "elements/drawing.h"
#include "elements/image.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

void ReadPixel(TVarList& args, Value& result, std::uint32_t (*part)(std::uint32_t texel)) {
  if (args.Count() != 3 || !args[0].Val.IsRef()) return;
  result = Value::UInt8(0);
  const auto* image = dynamic_cast<elements::TOxImage*>(ElementArg(args, 0));
  const render::TAsphyreImage* textures = image ? elements::TexturesOf(image->Picture()) : nullptr;
  if (textures == nullptr) return;
  const std::uint32_t texel =
      media::GetTexturePixel(*textures, AsInteger(args[1].Val), AsInteger(args[2].Val), image->Anim());
  result = Value::Int32(static_cast<std::int32_t>(part(texel)));
}

}  // namespace ox::scriptlib
