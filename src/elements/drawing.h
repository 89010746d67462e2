// What elements draw with and where their pictures come from: the canvas of the running
// player (none in tests and tools: drawing then does nothing) and the image store's pictures.
#pragma once

#include <cstdint>
#include <string>

#include "media/image_store.h"
#include "render/asphyre_image.h"
#include "render/canvas.h"
#include "render/fonts.h"
#include "render/particle_system.h"

namespace ox::elements {

render::TAsphyreCanvas* Canvas();
void SetCanvas(render::TAsphyreCanvas* canvas);
// The game's bitmap fonts; none in tests and tools.
render::TAsphyreFonts* Fonts();
void SetFonts(render::TAsphyreFonts* fonts);

// The particle manager: the particle texture effects and stars draw with, and the archive
// records effect files may come from; none before a game with a canvas is loaded.
render::TXParticleManager* ParticleManager();
void SetParticleManager(render::TXParticleManager* manager);

// The handle of a named picture, requested not kept; none without an image store.
media::TOxIm* RequestPicture(const std::string& name);
// The picture's textures as the store gives them now; none when it is not loaded.
render::TAsphyreImage* TexturesOf(media::TOxIm* picture);
// A background's size: the picture's pattern size, set only when its texture is present.
void TakePatternSize(media::TOxIm* picture, std::int32_t& width, std::int32_t& height);
// The name a picture property reads back: the handle's stored name, or "" without a handle.
const std::string& PictureName(const media::TOxIm* picture);

}  // namespace ox::elements
