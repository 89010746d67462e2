// Targa pictures: only uncompressed (type 2) and run-length (type 10) true colour of 24 or 32
// bits without a colour map. Rows come bottom-up unless descriptor bit 0x20 is set, and right
// to left when bit 0x10 is set; the bitmap is always top-down, left to right. 32-bit pictures
// keep their alpha. Run-length data beyond the last pixel is cut off; data that ends before
// the last pixel makes the picture undecodable.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/bitmap.h"

namespace ox::media {

// An empty bitmap, with the reason in failure, when the picture cannot be decoded.
Bitmap DecodeTga(std::span<const std::uint8_t> bytes, std::string& failure);

}  // namespace ox::media
