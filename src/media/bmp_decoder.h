// Windows bitmaps: 1-, 4- and 8-bit palette pictures (8-bit and 4-bit also run-length
// encoded), 16- and 32-bit pictures by their colour masks (5-5-5 and 8-8-8 without them) and
// 24-bit pictures, stored bottom-up or (a negative height) top-down; the core, info and later
// header forms. 8-bit palette pictures keep their palette indices; 32-bit pictures keep their
// fourth byte (or what the alpha mask selects) as alpha; all others are opaque. Palette indices
// past the palette give black. Pixel data that ends early, and run-length packets that reach
// past the last row, make the picture undecodable; run-length pixels past the end of their
// row are dropped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/bitmap.h"

namespace ox::media {

// An empty bitmap, with the reason in failure, when the picture cannot be decoded.
Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, std::string& failure);

}  // namespace ox::media
