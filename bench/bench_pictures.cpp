// Decoding a 1024x768 picture through the player's decoders against the bare work of the same
// file: libpng and libjpeg decoding it into their own row format, and for BMP and Targa a plain
// copy of the pixel bytes. The pictures are made here: smooth gradients with some noise, PNG with
// alpha, JPEG at quality 90, 24-bit bottom-up BMP, 8-bit BMP, 32-bit Targa.
#include <benchmark/benchmark.h>

#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "media/bmp_decoder.h"
#include "media/jpeg_decoder.h"
#include "media/png_decoder.h"
#include "media/tga_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// RGBA bytes, row by row from the top.
const Bytes& SourcePixels() {
  static const Bytes pixels = [] {
    Bytes rgba(std::size_t{kWidth} * kHeight * 4);
    std::mt19937 random(3);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        std::uint8_t* p = &rgba[(std::size_t(y) * kWidth + std::size_t(x)) * 4];
        const int noise = static_cast<int>(random() % 16);
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

void PngWriteBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

const Bytes& Png() {
  static const Bytes file = [] {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, PngWriteBytes, nullptr);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kHeight; ++y)
      png_write_row(png, &SourcePixels()[std::size_t(y) * kWidth * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
  }();
  return file;
}

const Bytes& Jpeg() {
  static const Bytes file = [] {
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
      JSAMPROW row =
          const_cast<JSAMPROW>(&SourcePixels()[std::size_t(info.next_scanline) * kWidth * 4]);
      jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
  }();
  return file;
}

void Put16(Bytes& b, std::uint32_t v) { b.push_back(v & 0xFF), b.push_back(v >> 8 & 0xFF); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

constexpr std::size_t kBmpPixelOffset24 = 54;
constexpr std::size_t kBmpPixelOffset8 = 54 + 1024;
constexpr std::size_t kTgaPixelOffset = 18;

Bytes BmpHeader(int bits, std::size_t offset) {
  Bytes b = {'B', 'M'};
  Put32(b, 0), Put32(b, 0), Put32(b, static_cast<std::uint32_t>(offset));
  Put32(b, 40), Put32(b, kWidth), Put32(b, kHeight), Put16(b, 1),
      Put16(b, static_cast<std::uint32_t>(bits));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  return b;
}

const Bytes& Bmp24() {
  static const Bytes file = [] {
    Bytes b = BmpHeader(24, kBmpPixelOffset24);
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::uint8_t* p = &SourcePixels()[(std::size_t(y) * kWidth + std::size_t(x)) * 4];
        b.insert(b.end(), {p[2], p[1], p[0]});
      }
    }
    return b;
  }();
  return file;
}

const Bytes& Bmp8() {
  static const Bytes file = [] {
    Bytes b = BmpHeader(8, kBmpPixelOffset8);
    for (int i = 0; i < 256; ++i) Put32(b, static_cast<std::uint32_t>(i * 0x010101));
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x)
        b.push_back(SourcePixels()[(std::size_t(y) * kWidth + std::size_t(x)) * 4]);
    }
    return b;
  }();
  return file;
}

const Bytes& Tga32() {
  static const Bytes file = [] {
    Bytes b(kTgaPixelOffset, 0);
    b[2] = 2, b[12] = kWidth & 0xFF, b[13] = kWidth >> 8, b[14] = kHeight & 0xFF,
    b[15] = kHeight >> 8;
    b[16] = 32, b[17] = 8;
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::uint8_t* p = &SourcePixels()[(std::size_t(y) * kWidth + std::size_t(x)) * 4];
        b.insert(b.end(), {p[2], p[1], p[0], p[3]});
      }
    }
    return b;
  }();
  return file;
}

using Decoder = ox::media::Bitmap (*)(std::span<const std::uint8_t>, std::string&);

void Decode(benchmark::State& state, Decoder decode, const Bytes& file) {
  for (auto _ : state) {
    std::string failure;
    ox::media::Bitmap bitmap = decode(file, failure);
    if (bitmap.Empty()) state.SkipWithError(failure.c_str());
    benchmark::DoNotOptimize(bitmap.pixels.data());
  }
}

void BarePng(benchmark::State& state) {
  struct Source {
    const Bytes* bytes;
    std::size_t position;
  };
  Bytes rgba(std::size_t{kWidth} * kHeight * 4);
  std::vector<png_bytep> rows(kHeight);
  for (int y = 0; y < kHeight; ++y) rows[std::size_t(y)] = &rgba[std::size_t(y) * kWidth * 4];
  for (auto _ : state) {
    Source source{&Png(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &source, [](png_structp p, png_bytep out, png_size_t size) {
      auto* s = static_cast<Source*>(png_get_io_ptr(p));
      std::memcpy(out, s->bytes->data() + s->position, size);
      s->position += size;
    });
    png_read_info(png, info);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(rgba.data());
  }
}

void BareJpeg(benchmark::State& state) {
  Bytes rgb(std::size_t{kWidth} * kHeight * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, Jpeg().data(), Jpeg().size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = &rgb[std::size_t(info.output_scanline) * kWidth * 3];
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(rgb.data());
  }
}

// The floor for the plain formats: the pixel bytes copied once into a fresh buffer.
void PlainCopy(benchmark::State& state, const Bytes& file, std::size_t offset) {
  for (auto _ : state) {
    Bytes copy(file.begin() + static_cast<std::ptrdiff_t>(offset), file.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

BENCHMARK_CAPTURE(Decode, Png, ox::media::DecodePng, Png())->Unit(benchmark::kMillisecond);
BENCHMARK(BarePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Jpeg, ox::media::DecodeJpeg, Jpeg())->Unit(benchmark::kMillisecond);
BENCHMARK(BareJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Bmp24, ox::media::DecodeBmp, Bmp24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Bmp24, Bmp24(), kBmpPixelOffset24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Bmp8, ox::media::DecodeBmp, Bmp8())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Bmp8, Bmp8(), kBmpPixelOffset8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Tga32, ox::media::DecodeTga, Tga32())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Tga32, Tga32(), kTgaPixelOffset)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
