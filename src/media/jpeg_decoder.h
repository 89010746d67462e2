// JPEG pictures, decoded to opaque 24-bit colour (grey pictures as grey colours, CMYK and YCCK
// pictures turned to RGB). A stream that ends early still gives the picture, its missing part
// grey, as the JPEG library fills it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/bitmap.h"

namespace ox::media {

// An empty bitmap, with the reason in failure, when the picture cannot be decoded.
Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, std::string& failure);

}  // namespace ox::media
