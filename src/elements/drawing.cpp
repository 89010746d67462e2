#include "elements/drawing.h"

namespace ox::elements {

namespace {
render::TAsphyreCanvas* canvas = nullptr;
render::TAsphyreFonts* fonts = nullptr;
render::TXParticleManager* particleManager = nullptr;
}

render::TAsphyreCanvas* Canvas() { return canvas; }
void SetCanvas(render::TAsphyreCanvas* c) { canvas = c; }
render::TAsphyreFonts* Fonts() { return fonts; }
void SetFonts(render::TAsphyreFonts* f) { fonts = f; }
render::TXParticleManager* ParticleManager() { return particleManager; }
void SetParticleManager(render::TXParticleManager* m) { particleManager = m; }

media::TOxIm* RequestPicture(const std::string& name) {
  media::ImageStore* store = media::Images();
  return store ? store->RequestImage(name, false) : nullptr;
}

render::TAsphyreImage* TexturesOf(media::TOxIm* picture) {
  media::ImageStore* store = media::Images();
  return store && picture ? store->GetImage(picture) : nullptr;
}

void TakePatternSize(media::TOxIm* picture, std::int32_t& width, std::int32_t& height) {
  if (const render::TAsphyreImage* textures = TexturesOf(picture)) {
    width = textures->PatternWidth();
    height = textures->PatternHeight();
  }
}

const std::string& PictureName(const media::TOxIm* picture) {
  static const std::string none;
  return picture ? picture->Name() : none;
}

}  // namespace ox::elements
