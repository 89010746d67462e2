// PNG pictures of every colour type, depth and interlacing, decoded to 8 bits a channel. Only
// grey with alpha (colour type 4) and colour with alpha (6) carry alpha; all other pictures,
// palette pictures with a transparency chunk included, are opaque.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/bitmap.h"

namespace ox::media {

// An empty bitmap, with the reason in failure, when the picture cannot be decoded.
Bitmap DecodePng(std::span<const std::uint8_t> bytes, std::string& failure);

}  // namespace ox::media
