// The graphics back end as the render layer names it. The interface, its texel formats and its
// OpenGL implementation belong to the platform layer, which alone knows OpenGL.
#pragma once

#include "platform/graphics/graphics_backend.h"
#include "platform/graphics/texel_format.h"

namespace ox::render {

using platform::BlendFactor;
using platform::BlendOperation;
using platform::BlendState;
using platform::BytesPerTexel;
using platform::DecodeRow;
using platform::DecodeTexel;
using platform::EncodeRow;
using platform::EncodeTexel;
using platform::GraphicsBackend;
using platform::kPictureFormats;
using platform::PresentParameters;
using platform::PresentResult;
using platform::PrimitiveKind;
using platform::TexelBuffer;
using platform::TexelLock;
using platform::TextureFormat;
using platform::TextureId;
using platform::Vertex;
using platform::Viewport;

}  // namespace ox::render
