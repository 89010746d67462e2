// Engine functions that read an image's picture: GetAlpha and GetPixel.
#include "elements/drawing.h"
#include "elements/image.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

// The texel of the image's current pattern at (x, y), engine order, through `part`; 0 while
// the picture has no texture. No result for a wrong count or a first argument that is no
// element.
script::NativeFunction PixelReader(std::uint32_t (*part)(std::uint32_t texel)) {
  return Always([part](TVarList& args, Value& result) {
    if (args.Count() != 3 || !args[0].Val.IsRef()) return;
    result = Value::UInt8(0);
    const auto* image = dynamic_cast<elements::TOxImage*>(ElementArg(args, 0));
    const render::TAsphyreImage* textures = image ? elements::TexturesOf(image->Picture()) : nullptr;
    if (textures == nullptr) return;
    const std::uint32_t texel =
        media::GetTexturePixel(*textures, AsInteger(args[1].Val), AsInteger(args[2].Val), image->Anim());
    result = Value::Int32(static_cast<std::int32_t>(part(texel)));
  });
}

}  // namespace

void AddPictureFunctions(FunctionTable& table) {
  table["GetAlpha"] = PixelReader([](std::uint32_t texel) { return texel >> 24; });
  table["GetPixel"] = PixelReader([](std::uint32_t texel) { return texel & 0xFFFFFFu; });
}

}  // namespace ox::scriptlib
