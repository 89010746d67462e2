// The texels of a font record and the glyph texture set made from them.
//
// Stored texel formats by index (bytes per texel): 0 R3G3B2 (1), 1 R5G6B5 (2), 2 X8R8G8B8 (4),
// 3 X1R5G5B5 (2), 4 X4R4G4B4 (2), 5 A8R8G8B8 (4), 6 A1R5G5B5 (2), 7 A4R4G4B4 (2),
// 8 A8R3G3B2 (2), 9 L8 (1: an opaque grey of that level), 10 A8 (1). Rows are copied into the
// textures unchanged when the stored format is the texture's format or both are of the pair
// X8R8G8B8/A8R8G8B8 or X4R4G4B4/A4R4G4B4 (the X byte or nibble then becomes alpha); otherwise
// every texel goes through 32-bit A8R8G8B8 into the texture's format.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "render/asphyre_image.h"
#include "render/font_record.h"

namespace ox::render {

inline constexpr int kFontFormatCount = 11;

// Bytes per texel of a stored format; 0 for an index outside the table.
int StoredTexelSize(int format);

// Rows of a stored format from and to device-order colour (0xAARRGGBB); `texels` holds
// argb.size() texels.
void DecodeStoredRow(int format, const std::uint8_t* texels, std::span<std::uint32_t> argb);
void EncodeStoredRow(int format, std::span<const std::uint32_t> argb, std::uint8_t* texels);

// The glyph texture set of a parsed record: one pattern per glyph cell, cell = pattern size,
// visible size as stored; none when the back end cannot make or write the textures.
std::unique_ptr<TAsphyreImage> MakeGlyphImage(const TFontRecord& record, GraphicsBackend& backend);

}  // namespace ox::render
