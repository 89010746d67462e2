#include "platform/graphics/texel_format.h"

#include <bit>
#include <cstring>

namespace ox::platform {
namespace {

// Keeps the top `bits` bits of an 8-bit channel.
constexpr std::uint32_t Narrow(std::uint32_t channel, int bits) { return channel >> (8 - bits); }

// Widens a channel of `bits` bits to 8 by repeating its bits from the top.
constexpr std::uint32_t Widen(std::uint32_t value, int bits) {
  if (bits == 0) return 0;
  std::uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += bits) {
    const int shift = 8 - bits - filled;
    wide |= shift >= 0 ? value << shift : value >> -shift;
  }
  return wide & 0xFFu;
}

struct Layout {
  int alphaBits, redBits, greenBits, blueBits;
};

constexpr Layout LayoutOf(TextureFormat format) {
  switch (format) {
    case TextureFormat::A8R8G8B8: return {8, 8, 8, 8};
    case TextureFormat::X8R8G8B8: return {0, 8, 8, 8};
    case TextureFormat::A4R4G4B4: return {4, 4, 4, 4};
    case TextureFormat::X4R4G4B4: return {0, 4, 4, 4};
    case TextureFormat::A8R3G3B2: return {8, 3, 3, 2};
    case TextureFormat::R3G3B2: return {0, 3, 3, 2};
    case TextureFormat::A1R5G5B5: return {1, 5, 5, 5};
    case TextureFormat::X1R5G5B5: return {0, 5, 5, 5};
    case TextureFormat::R5G6B5: return {0, 5, 6, 5};
    case TextureFormat::A8: return {8, 0, 0, 0};
  }
  return {8, 8, 8, 8};
}

}  // namespace

int BytesPerTexel(TextureFormat format) {
  switch (format) {
    case TextureFormat::A8R8G8B8:
    case TextureFormat::X8R8G8B8: return 4;
    case TextureFormat::A4R4G4B4:
    case TextureFormat::X4R4G4B4:
    case TextureFormat::A8R3G3B2:
    case TextureFormat::A1R5G5B5:
    case TextureFormat::X1R5G5B5:
    case TextureFormat::R5G6B5: return 2;
    case TextureFormat::R3G3B2:
    case TextureFormat::A8: return 1;
  }
  return 4;
}

std::uint32_t EncodeTexel(TextureFormat format, std::uint32_t argb) {
  const Layout l = LayoutOf(format);
  const std::uint32_t a = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  // X formats leave their unused top bits set, as a display reads them as opaque anyway.
  const int xBits = BytesPerTexel(format) * 8 - l.redBits - l.greenBits - l.blueBits;
  const std::uint32_t top = l.alphaBits > 0 ? Narrow(a, l.alphaBits) : (1u << xBits) - 1;
  return (((top << l.redBits | Narrow(r, l.redBits)) << l.greenBits | Narrow(g, l.greenBits))
          << l.blueBits) |
         Narrow(b, l.blueBits);
}

std::uint32_t DecodeTexel(TextureFormat format, std::uint32_t texel) {
  const Layout l = LayoutOf(format);
  const auto field = [texel](int shift, int bits) { return (texel >> shift) & ((1u << bits) - 1); };
  const int gShift = l.blueBits, rShift = gShift + l.greenBits, aShift = rShift + l.redBits;
  const std::uint32_t a = l.alphaBits > 0 ? Widen(field(aShift, l.alphaBits), l.alphaBits) : 0xFF;
  return a << 24 | Widen(field(rShift, l.redBits), l.redBits) << 16 |
         Widen(field(gShift, l.greenBits), l.greenBits) << 8 | Widen(field(0, l.blueBits), l.blueBits);
}

void EncodeRow(TextureFormat format, std::span<const std::uint32_t> argb, std::uint8_t* texels) {
  // A8R8G8B8 stored little-endian is the colour's own bytes.
  if (format == TextureFormat::A8R8G8B8 && std::endian::native == std::endian::little) {
    std::memcpy(texels, argb.data(), argb.size_bytes());
    return;
  }
  const int size = BytesPerTexel(format);
  for (const std::uint32_t colour : argb) {
    const std::uint32_t texel = EncodeTexel(format, colour);
    for (int i = 0; i < size; ++i) *texels++ = static_cast<std::uint8_t>(texel >> (8 * i));
  }
}

void DecodeRow(TextureFormat format, const std::uint8_t* texels, std::span<std::uint32_t> argb) {
  const int size = BytesPerTexel(format);
  for (std::uint32_t& colour : argb) {
    std::uint32_t texel = 0;
    for (int i = 0; i < size; ++i) texel |= std::uint32_t{*texels++} << (8 * i);
    colour = DecodeTexel(format, texel);
  }
}

}  // namespace ox::platform
