// Texel formats of textures and their conversion to and from 32-bit device-order colour
// (0xAARRGGBB). A picture asks for A8R8G8B8 and falls back to A4R4G4B4, A8R3G3B2 and A1R5G5B5,
// in that order, when the back end lacks it; the other formats are those texels may be stored
// in. Formats without alpha read back as opaque, A8 as black with its alpha; narrow channels
// widen by repeating their top bits, so a full channel reads as 255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ox::platform {

enum class TextureFormat {
  A8R8G8B8, X8R8G8B8, A4R4G4B4, X4R4G4B4, A8R3G3B2, R3G3B2, A1R5G5B5, X1R5G5B5, R5G6B5, A8
};

// The formats a picture texture may use, best first.
inline constexpr TextureFormat kPictureFormats[] = {
    TextureFormat::A8R8G8B8, TextureFormat::A4R4G4B4, TextureFormat::A8R3G3B2,
    TextureFormat::A1R5G5B5};

int BytesPerTexel(TextureFormat format);

// One texel, stored little-endian in BytesPerTexel bytes.
std::uint32_t EncodeTexel(TextureFormat format, std::uint32_t argb);
std::uint32_t DecodeTexel(TextureFormat format, std::uint32_t texel);

// Whole rows: `texels` holds argb.size() texels of the format.
void EncodeRow(TextureFormat format, std::span<const std::uint32_t> argb, std::uint8_t* texels);
void DecodeRow(TextureFormat format, const std::uint8_t* texels, std::span<std::uint32_t> argb);

}  // namespace ox::platform
