// Decoding a picture file by the extension of its name, in any letter case: ".tga" Targa,
// ".jpg" and ".jpeg" JPEG, ".png" PNG, anything else a Windows bitmap. A picture that cannot
// be decoded gives an empty bitmap and one logged line naming it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "media/bitmap.h"

namespace ox::media {

enum class PictureFormat { Bmp, Tga, Jpeg, Png };

// The format the name's extension selects (the name may hold "\" or "/" separated folders).
PictureFormat PictureFormatOf(std::string_view name);

// The bytes of the file or archive record called name, decoded.
Bitmap DecodePicture(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace ox::media
