// The 1024x768 pictures the picture benchmarks decode, made in memory: smooth gradients with
// some noise; PNG with alpha, JPEG at quality 90, 24-bit and 8-bit bottom-up BMP, 32-bit Targa.
#pragma once

#include <jpeglib.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace ox::bench {

using Bytes = std::vector<std::uint8_t>;
inline constexpr std::size_t kWidth = 1024;
inline constexpr std::size_t kHeight = 768;
inline constexpr std::size_t kBmpPixelOffset24 = 54;
inline constexpr std::size_t kBmpPixelOffset8 = 54 + 1024;
inline constexpr std::size_t kTgaPixelOffset = 18;

// RGBA bytes, row by row from the top.
inline const Bytes& SourcePixels() {
  static const Bytes pixels = [] {
    Bytes rgba(kWidth * kHeight * 4);
    std::mt19937 random(7);
    for (std::size_t y = 0; y < kHeight; ++y) {
      for (std::size_t x = 0; x < kWidth; ++x) {
        std::uint8_t* p = &rgba[(y * kWidth + x) * 4];
        const unsigned noise = random() % 16;
        p[0] = static_cast<std::uint8_t>(x / 4 + noise);
        p[1] = static_cast<std::uint8_t>(y / 3 + noise);
        p[2] = static_cast<std::uint8_t>((x + y) / 8);
        p[3] = static_cast<std::uint8_t>(x < 512 ? 255 : y / 3);
      }
    }
    return rgba;
  }();
  return pixels;
}

inline const std::uint8_t* SourceRow(std::size_t y) { return &SourcePixels()[y * kWidth * 4]; }

inline Bytes EncodePng() {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, [](png_structp p, png_bytep data, png_size_t size) {
    auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
    bytes->insert(bytes->end(), data, data + size);
  }, nullptr);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (std::size_t y = 0; y < kHeight; ++y) png_write_row(png, SourceRow(y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

inline Bytes EncodeJpeg() {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 4;
  info.in_color_space = JCS_EXT_RGBX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(SourceRow(info.next_scanline));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

inline void Put16(Bytes& b, std::uint32_t v) { b.push_back(v & 0xFF), b.push_back(v >> 8 & 0xFF); }
inline void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

// 24-bit colour, or 8-bit grey (the red channel) with a grey palette.
inline Bytes EncodeBmp(int bits) {
  const std::size_t offset = bits == 8 ? kBmpPixelOffset8 : kBmpPixelOffset24;
  Bytes b = {'B', 'M'};
  Put32(b, 0), Put32(b, 0), Put32(b, static_cast<std::uint32_t>(offset));
  Put32(b, 40), Put32(b, kWidth), Put32(b, kHeight), Put16(b, 1), Put16(b, static_cast<std::uint32_t>(bits));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  if (bits == 8) {
    for (std::uint32_t i = 0; i < 256; ++i) Put32(b, i * 0x010101);
  }
  for (std::size_t y = kHeight; y-- > 0;) {
    for (std::size_t x = 0; x < kWidth; ++x) {
      const std::uint8_t* p = SourceRow(y) + x * 4;
      if (bits == 8) {
        b.push_back(p[0]);
      } else {
        b.insert(b.end(), {p[2], p[1], p[0]});
      }
    }
  }
  return b;
}

inline Bytes EncodeTga32() {
  Bytes b(kTgaPixelOffset, 0);
  b[2] = 2, b[12] = kWidth & 0xFF, b[13] = kWidth >> 8, b[14] = kHeight & 0xFF, b[15] = kHeight >> 8;
  b[16] = 32, b[17] = 8;
  for (std::size_t y = kHeight; y-- > 0;) {
    for (std::size_t x = 0; x < kWidth; ++x) {
      const std::uint8_t* p = SourceRow(y) + x * 4;
      b.insert(b.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  return b;
}

}  // namespace ox::bench
